"""The version check and self-update as a user meets them: the wizard asks a real
HTTP server on 127.0.0.1 (scripts/serve-updates.sh, whose log shows every
request), offers the update in a message box, and either updates itself from a
ZIP archive made here or goes on with the installation in sight."""

import io
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest
import zipfile

from harness import (BUILD, CLOSE_BUTTON, DESKTOP, DOWNLOAD, INSTALL_BUTTON, SERVER_TILE, SOURCE, STAGING, TITLE,
                     WINE_ROOT, WizardTestCase, answer_box, listening_on, message_box, wait_for, windows_titled)

SERVE_UPDATES = os.path.join(SOURCE, "scripts", "serve-updates.sh")
NEWER_WIZARD_EXE = os.path.join(BUILD, "wizard", "acceptance", "newer_wizard.exe")

VERSION_TEXT = "Tavrimo - 安装向导.txt"
UPDATE_ARCHIVE = "Tavrimo - 安装向导.zip"
WIZARD_NAME = "Tavrimo - 安装向导.exe"
NEWER_VERSION = "当前版本：1.2".encode("gbk")

# What newer_wizard.exe writes next to itself.
STARTED = os.path.join(DESKTOP, "newer-wizard-started.txt")
STOP = os.path.join(DESKTOP, "newer-wizard-stop.txt")
ENDED = os.path.join(DESKTOP, "newer-wizard-ended.txt")

# The entry that tries to leave the desktop folder.
ESCAPING_NAME = "update-escaped.txt"

FINISH_PAGE_HEIGHT = 210
SERVER_LIFETIME = 300  # seconds; one test needs well under a minute
BOX_TITLES = ("提示：", "信息：", "警告：")


# A line of nginx's access log (its error lines quote requests too).
ACCESS_LINE = re.compile(r'^127\.0\.0\.1 - \S+ \[[^]]*\] "GET (\S+) HTTP/[^"]*"', re.MULTILINE)


def update_port():
    """The port of the configured update server, which must be this machine's loopback."""
    host, _, port = os.environ.get("TAVRIMO_UPDATE_HOST", "127.0.0.1:47321").rpartition(":")
    if host not in ("127.0.0.1", "localhost") or not port.isdigit():
        raise unittest.SkipTest("the wizard is built for an update server other than 127.0.0.1:PORT")
    return int(port)


def unescape_logged(target):
    """A request target as nginx logs it (bytes 0x80-0xFF as \\xHH, spaces as %20), read as GBK."""
    latin = re.sub(r"\\x([0-9A-Fa-f]{2})", lambda byte: chr(int(byte.group(1), 16)), target.replace("%20", " "))
    return latin.encode("latin-1").decode("gbk")


class UpdateServer:
    """scripts/serve-updates.sh serving `files` (name → bytes) on the update port."""

    def __init__(self, files):
        self.port = update_port()
        if listening_on(self.port):
            raise AssertionError(f"something already listens on 127.0.0.1:{self.port}")
        self.folder = tempfile.mkdtemp(prefix="update-folder.")
        for name, data in files.items():
            with open(os.path.join(self.folder, name), "wb") as file:
                file.write(data)
        self.log_path = self.folder + ".log"
        with open(self.log_path, "wb") as log:
            # A server left behind by a test that died still ends by itself.
            self.process = subprocess.Popen(
                ["timeout", str(SERVER_LIFETIME), SERVE_UPDATES, self.folder, str(self.port)],
                stdout=log, stderr=log, start_new_session=True)
        wait_for(lambda: listening_on(self.port) or self.process.poll() is not None, timeout=10)
        if self.process.poll() is not None or not listening_on(self.port):
            log = self.log()
            self.stop()
            raise AssertionError("the update server did not start:\n" + log)

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode("latin-1")

    def requests(self):
        """The paths asked for, in order, as the access log has them."""
        return [unescape_logged(target) for target in ACCESS_LINE.findall(self.log())]

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)
        if os.path.exists(self.log_path):
            os.remove(self.log_path)


class GbkEntry(zipfile.ZipInfo):
    """An entry named in GBK bytes without the UTF-8 flag, as the wizard's update archives are
    (zipfile would store any non-ASCII name as UTF-8 and flag it)."""

    def __init__(self, name):
        super().__init__(name.encode("gbk").decode("cp437"))
        self.compress_type = zipfile.ZIP_DEFLATED

    def _encodeFilenameFlags(self):
        return self.filename.encode("cp437"), self.flag_bits


def update_archive(extra_entries=(), with_wizard=True):
    """A ZIP archive holding the stand-in newer wizard, then `extra_entries` (name, bytes)."""
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w") as archive:
        if with_wizard:
            with open(NEWER_WIZARD_EXE, "rb") as exe:
                archive.writestr(GbkEntry(WIZARD_NAME), exe.read())
        for name, content in extra_entries:
            archive.writestr(name, content)
    return data.getvalue()


def files_named(name, top):
    return [os.path.join(folder, name) for folder, _, files in os.walk(top) if name in files]


class UpdateTest(WizardTestCase):

    def serve(self, files):
        server = UpdateServer(files)
        self.addCleanup(server.stop)
        return server

    def fresh_start(self):
        """Between the runs of one test: what the last run started is stopped, the world is clean again."""
        self.tearDown()
        self.setUp()

    def tearDown(self):
        # A stand-in newer wizard that is still running is asked to end.
        if os.path.exists(STARTED) and not os.path.exists(ENDED):
            open(STOP, "w").close()
            wait_for(lambda: os.path.exists(ENDED), timeout=10)
        super().tearDown()

    def install_server_and_client(self):
        """Starts the wizard, chooses the server (the client comes with it) and presses install."""
        wizard = self.start()
        wizard.click(SERVER_TILE)
        wizard.click(INSTALL_BUTTON, pause=0)
        return wizard

    def assert_installed_in_sight(self, wizard):
        self.assertTrue(wait_for(lambda: wizard.geometry()[3] == FINISH_PAGE_HEIGHT, timeout=60),
                        "the finish page did not show")
        self.assertEqual(windows_titled(TITLE), [wizard.window])
        self.assert_programs_installed()

    def assert_programs_installed(self):
        for program in ("聊天室服务器.exe", "聊天室客户端.exe"):
            self.assertTrue(os.path.isfile(os.path.join(DESKTOP, "Tavrimo", program)), program)

    def assert_no_box(self):
        for title in BOX_TITLES:
            self.assertIsNone(message_box(title, timeout=0), f"a box titled {title} shows")

    def answer_prompt(self, button):
        prompt = message_box("提示：")
        self.assertIsNotNone(prompt, "no update prompt")
        self.assertIn("发现最新版本，是否前去更新！", prompt)
        self.assertIn("是(&Y)", prompt)  # Wine's Chinese Yes and No buttons
        self.assertIn("否(&N)", prompt)
        self.assertIn('确认后软件将"后台更新"下载！', prompt)
        self.assertTrue(answer_box("提示：", button))

    def close(self, wizard):
        # The close button, not Esc: once a box (which has no owner) has gone, no window is active,
        # and under Wine without a window manager neither keys nor a click make the wizard's active again.
        wizard.click(CLOSE_BUTTON, pause=0)
        self.assertEqual(wizard.wait_exit(), 0)

    def test_version_texts_that_offer_no_update_let_the_installation_run(self):
        # (case, version text or None for no server, requests for the version text)
        cases = [
            ("own version", "当前版本：1.1".encode("gbk"), 2),
            ("1.10 holds 1.1", "当前版本：1.10".encode("gbk"), 2),
            ("11.1 holds 1.1", "当前版本：11.1".encode("gbk"), 2),
            ("marker in UTF-8", "当前版本：1.2".encode("utf-8"), 1),
            ("NUL before the marker", b"\0" + NEWER_VERSION, 1),
            ("empty body", b"", 1),
            ("server down", None, 0),
        ]
        for case, text, asked in cases:
            with self.subTest(case):
                self.fresh_start()
                server = self.serve({VERSION_TEXT: text}) if text is not None else None
                self.assertTrue(server or not listening_on(update_port()), "the update port is in use")
                try:
                    wizard = self.install_server_and_client()
                    self.assert_installed_in_sight(wizard)
                    self.assert_no_box()
                    if server:
                        self.assertEqual(server.requests(), ["/" + VERSION_TEXT] * asked)
                    self.close(wizard)
                finally:
                    if server:
                        server.stop()

    def test_with_no_tile_chosen_nothing_asks_the_server(self):
        server = self.serve({VERSION_TEXT: NEWER_VERSION})
        wizard = self.start()
        wizard.click(INSTALL_BUTTON, pause=0)
        warning = message_box("警告：")
        self.assertIsNotNone(warning)
        self.assertIn("请选择一个需要安装的聊天端！", warning)
        self.assertEqual(server.requests(), [])
        self.assertFalse(os.path.exists(STAGING))
        self.assertTrue(answer_box("警告：", 1))
        self.close(wizard)

    def test_declining_the_update_installs_in_sight(self):
        server = self.serve({VERSION_TEXT: NEWER_VERSION, UPDATE_ARCHIVE: update_archive()})
        wizard = self.install_server_and_client()
        self.answer_prompt(7)
        self.assert_installed_in_sight(wizard)
        self.assert_no_box()
        self.assertEqual(server.requests(), ["/" + VERSION_TEXT] * 2)
        self.close(wizard)
        self.assertFalse(os.path.exists(os.path.join(DESKTOP, WIZARD_NAME)))

    def test_accepted_update_starts_the_newer_wizard_and_installs_out_of_sight(self):
        server = self.serve({VERSION_TEXT: NEWER_VERSION, UPDATE_ARCHIVE: update_archive()})
        wizard = self.install_server_and_client()
        self.answer_prompt(6)

        done = message_box("信息：")
        self.assertIsNotNone(done, "no completion message")
        self.assertIn("更新完成！", done)
        self.assertEqual(windows_titled(TITLE), [], "the wizard's window is still in sight")
        self.assertTrue(os.path.isfile(os.path.join(DESKTOP, WIZARD_NAME)))
        self.assertFalse(os.path.exists(STARTED), "the newer wizard started before the message was answered")
        self.assertTrue(answer_box("信息：", 1))

        self.assertTrue(wait_for(lambda: os.path.exists(STARTED), timeout=30), "the newer wizard did not start")
        with open(STARTED, "rb") as started:
            self.assertTrue(started.read().decode("gbk").endswith("\\" + WIZARD_NAME))
        self.assertEqual(wizard.wait_exit(60), 0, "the first wizard did not close by itself")
        self.assertEqual(windows_titled(TITLE), [])
        self.assert_programs_installed()
        self.assertFalse(os.path.exists(DOWNLOAD), "the download was left behind")
        self.assertFalse(os.path.exists(STAGING), "the staging folder was left behind")
        self.assertEqual(server.requests(), ["/" + VERSION_TEXT] * 2 + ["/" + UPDATE_ARCHIVE])

        # Still running after the first wizard has gone: it answers.
        open(STOP, "w").close()
        self.assertTrue(wait_for(lambda: os.path.exists(ENDED), timeout=10), "the newer wizard is not running")

    def test_failed_update_is_reported_and_the_installation_goes_on_in_sight(self):
        cases = [
            ("no update archive on the server", {}),
            ("an empty download", {UPDATE_ARCHIVE: b""}),
            ("an archive without the wizard", {UPDATE_ARCHIVE: update_archive([("说明.txt", b"1.2")], False)}),
            ("an entry leading out of the desktop",
             {UPDATE_ARCHIVE: update_archive([("../" + ESCAPING_NAME, b"written outside the desktop")])}),
        ]
        for case, files in cases:
            with self.subTest(case):
                self.fresh_start()
                server = self.serve({VERSION_TEXT: NEWER_VERSION, **files})
                try:
                    wizard = self.install_server_and_client()
                    self.answer_prompt(6)
                    warning = message_box("警告：")
                    self.assertIsNotNone(warning, "the failure was not reported")
                    self.assertTrue(any(line.startswith("更新失败") for line in warning), warning)
                    self.assertIsNone(message_box("信息：", timeout=0), "an update that failed was called complete")
                    self.assertEqual(windows_titled(TITLE), [wizard.window], "the window is not in sight")
                    self.assertFalse(os.path.exists(DOWNLOAD), "the download was left behind")
                    self.assertTrue(answer_box("警告：", 1))

                    self.assert_installed_in_sight(wizard)
                    self.assertIsNone(wizard.process.poll(), "the wizard closed")
                    self.close(wizard)
                    self.assertFalse(os.path.exists(STARTED), "a newer wizard was started")
                    self.assertEqual(files_named(ESCAPING_NAME, WINE_ROOT), [])
                    self.assertEqual(server.requests(), ["/" + VERSION_TEXT] * 2 + ["/" + UPDATE_ARCHIVE])
                finally:
                    server.stop()


if __name__ == "__main__":
    unittest.main()

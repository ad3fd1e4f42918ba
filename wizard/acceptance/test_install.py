"""The installation run and the finish page, as a user meets them: what lands on disk,
what the wizard says when it cannot install, what the finish button starts, and what
the staging folder keeps after the window closes."""

import filecmp
import os
import shutil
import signal
import subprocess
import unittest

from harness import (CLIENT_TILE, CLOSE_BUTTON, DESKTOP, DESKTOP_PATH, DRIVE_C_ITEM, FINISH_BUTTON, INSTALL_BUTTON,
                     MY_COMPUTER, PRODUCTS, SERVER_TILE, STAGING, TITLE, WINE_ROOT, WINE_RUN, WizardTestCase,
                     answer_box, listening_on, message_box, path_box, screen_size, tree_keys, wait_for,
                     windows_titled, wine_processes)

SERVER = "聊天室服务器.exe"
CLIENT = "聊天室客户端.exe"
LEXICON = "reply.ini"
SHORTCUTS = ["聊天室服务器.lnk", "聊天室客户端.lnk"]
ARCHIVES = ["聊天室服务器.zip", "聊天室客户端.zip", "词库.zip"]
INSTALL_FOLDER = os.path.join(DESKTOP, "Tavrimo")
OPTIONS_PAGE = (480, 340)
FINISH_PAGE = (480, 210)
CHAT_PORT = 9527


def listing(folder):
    """The names in a folder, sorted, without the hidden ones Wine keeps in its home."""
    return sorted(name for name in os.listdir(folder) if not name.startswith("."))


def same_as_product(path, name):
    return os.path.isfile(path) and filecmp.cmp(path, os.path.join(PRODUCTS, name), shallow=False)


def shortcut_target(link):
    """The local path a shortcut file points at, as lnkinfo reads it (its ANSI texts in GBK)."""
    out = subprocess.run(["lnkinfo", "-c", "windows-936", link], capture_output=True, text=True).stdout
    for line in out.splitlines():
        key, _, value = line.partition(":")
        if key.strip() == "Local path":
            return value.strip()
    return None


def kill(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def start_time(pid):
    """When a process started, in clock ticks since boot."""
    with open(f"/proc/{pid}/stat") as f:
        return int(f.read().rsplit(")", 1)[1].split()[19])


class InstallTest(WizardTestCase):

    def install(self, wizard, *tiles):
        for tile in tiles:
            wizard.click(tile)
        wizard.click(INSTALL_BUTTON, pause=0)

    def wait_for_finish_page(self, wizard):
        self.assertTrue(wait_for(lambda: wizard.geometry()[2:] == FINISH_PAGE, timeout=60),
                        "the finish page did not come")

    def assert_warning_and_options_page_stays(self, wizard, *words):
        box = message_box("警告：")
        self.assertIsNotNone(box, "no warning shown")
        for word in words:
            self.assertTrue(any(word in line for line in box), f"{word!r} not in the warning {box}")
        self.assertTrue(answer_box("警告：", 1))
        self.assertEqual(wizard.geometry()[2:], OPTIONS_PAGE)

    def test_client_only_installs_the_client_alone_and_closing_keeps_foreign_staging_files(self):
        wizard = self.start()
        self.install(wizard, CLIENT_TILE)
        self.wait_for_finish_page(wizard)
        self.assertEqual(listing(STAGING), ["聊天室客户端.zip"])

        with open(os.path.join(STAGING, "别人的文件.txt"), "wb") as f:
            f.write(b"not the wizard's")
        wizard.click(CLOSE_BUTTON, pause=0)
        self.assertEqual(wizard.wait_exit(), 0)
        self.assertEqual(listing(STAGING), ["别人的文件.txt"])
        self.assertEqual(listing(INSTALL_FOLDER), [CLIENT])
        self.assertTrue(same_as_product(os.path.join(INSTALL_FOLDER, CLIENT), CLIENT))
        self.assertEqual(listing(DESKTOP), ["Tavrimo"], "shortcuts made for the client alone")

    def test_server_and_client_with_shortcuts_and_word_library_then_finish_starts_both(self):
        self.assertFalse(listening_on(CHAT_PORT), "something else listens on the chat port")
        wizard = self.start()
        self.install(wizard, SERVER_TILE)
        self.wait_for_finish_page(wizard)
        screen_width, screen_height = screen_size()
        self.assertEqual(wizard.geometry()[:2], ((screen_width - 480) // 2, (screen_height - 210) // 2))
        self.assertTrue(wait_for(lambda: same_as_product(os.path.join(INSTALL_FOLDER, LEXICON), LEXICON)))
        self.assertEqual(listing(INSTALL_FOLDER), sorted([SERVER, CLIENT, LEXICON]))
        for name in (SERVER, CLIENT):
            self.assertTrue(same_as_product(os.path.join(INSTALL_FOLDER, name), name), name)
        for link, program in zip(SHORTCUTS, (SERVER, CLIENT)):
            self.assertEqual(shortcut_target(os.path.join(DESKTOP, link)), DESKTOP_PATH + "\\Tavrimo\\" + program)
        self.assertEqual(listing(STAGING), sorted(ARCHIVES))

        wizard.click(FINISH_BUTTON, pause=0)
        self.assertEqual(wizard.wait_exit(), 0)
        started = {name: wait_for(lambda: wine_processes(name)) for name in (SERVER, CLIENT)}
        self.addCleanup(lambda: [kill(pid) for pids in started.values() for pid in pids or []])
        self.assertTrue(started[SERVER], "the server was not started")
        self.assertTrue(started[CLIENT], "the client was not started")
        self.assertLessEqual(start_time(started[SERVER][0]), start_time(started[CLIENT][0]),
                             "the client started before the server")
        self.assertTrue(wait_for(lambda: listening_on(CHAT_PORT, "127.0.0.1")), "the started server does not listen")
        self.assertEqual(windows_titled(TITLE), [])
        self.assertFalse(os.path.exists(STAGING))

    def test_nothing_chosen_warns_and_writes_nothing(self):
        wizard = self.start()
        self.install(wizard)
        self.assert_warning_and_options_page_stays(wizard, "请选择一个需要安装的聊天端！")
        self.assertFalse(os.path.exists(STAGING))
        self.assertFalse(os.path.exists(INSTALL_FOLDER))
        # The window has the keyboard again once the box is gone.
        wizard.key("Escape")
        self.assertEqual(wizard.wait_exit(), 0)

    def test_a_chosen_folder_whose_parents_are_gone_is_created_with_them(self):
        os.makedirs(os.path.join(DESKTOP, "lan", "chat"))
        wizard = self.start()
        wizard.browse(tree_keys("lan", "chat"))
        self.assertEqual(path_box(), DESKTOP_PATH + "\\lan\\chat\\Tavrimo")
        shutil.rmtree(os.path.join(DESKTOP, "lan"))
        self.install(wizard, CLIENT_TILE)
        self.wait_for_finish_page(wizard)
        self.assertTrue(same_as_product(os.path.join(DESKTOP, "lan", "chat", "Tavrimo", CLIENT), CLIENT))

    def test_a_previous_installation_is_replaced_and_other_files_in_its_folder_stay(self):
        os.makedirs(INSTALL_FOLDER)
        for name in (SERVER, CLIENT, LEXICON):
            with open(os.path.join(INSTALL_FOLDER, name), "wb") as f:
                f.write(b"an older build of " + name.encode())
        notes = os.path.join(INSTALL_FOLDER, "聊天记录.txt")
        with open(notes, "wb") as f:
            f.write(b"kept by the user")
        wizard = self.start()
        self.install(wizard, SERVER_TILE)
        self.wait_for_finish_page(wizard)
        self.assertTrue(wait_for(lambda: same_as_product(os.path.join(INSTALL_FOLDER, LEXICON), LEXICON)))
        for name in (SERVER, CLIENT):
            self.assertTrue(same_as_product(os.path.join(INSTALL_FOLDER, name), name), name)
        with open(notes, "rb") as f:
            self.assertEqual(f.read(), b"kept by the user")
        self.assertEqual(listing(INSTALL_FOLDER), sorted([SERVER, CLIENT, LEXICON, "聊天记录.txt"]))

    def test_the_staging_folder_and_folders_inside_it_are_refused_as_install_path(self):
        # Left behind by a run that never closed: the chooser can reach into it.
        os.makedirs(STAGING)
        wizard = self.start()
        wizard.click(CLIENT_TILE)
        cases = [
            ("the staging folder", tree_keys(MY_COMPUTER, DRIVE_C_ITEM, "Program Files"), "C:\\Program Files\\Tavrimo"),
            ("inside it", tree_keys(MY_COMPUTER, DRIVE_C_ITEM, "Program Files", "Tavrimo"),
             "C:\\Program Files\\Tavrimo\\Tavrimo"),
        ]
        for case, keys, path in cases:
            with self.subTest(case):
                wizard.browse(keys)
                self.assertEqual(path_box(), path)
                self.install(wizard)
                self.assert_warning_and_options_page_stays(wizard, "C:\\Program Files\\Tavrimo")
                self.assertEqual(listing(STAGING), [], "the refused run wrote to the staging folder")

    def test_a_word_library_that_cannot_be_written_is_reported_on_the_finish_page(self):
        # A folder where the word library's file belongs: no file can replace it.
        os.makedirs(os.path.join(INSTALL_FOLDER, LEXICON))
        wizard = self.start()
        self.install(wizard, SERVER_TILE)
        box = message_box("警告：")
        self.assertIsNotNone(box, "the failed word library was not reported")
        self.assertTrue(any("词库" in line for line in box), box)
        self.assertEqual(wizard.geometry()[2:], FINISH_PAGE)
        self.assertTrue(answer_box("警告：", 1))
        for name in (SERVER, CLIENT):
            self.assertTrue(same_as_product(os.path.join(INSTALL_FOLDER, name), name), name)
        self.assertEqual(listing(DESKTOP), sorted(["Tavrimo", *SHORTCUTS]))

    def test_a_running_installed_server_fails_the_run_visibly_and_stays_intact(self):
        # An older server, running from the install folder: its file is in use. Bytes
        # appended to a program do not change how it runs, but tell the builds apart.
        os.makedirs(INSTALL_FOLDER)
        installed = os.path.join(INSTALL_FOLDER, SERVER)
        with open(os.path.join(PRODUCTS, SERVER), "rb") as f:
            older = f.read() + b"older build"
        with open(installed, "wb") as f:
            f.write(older)
        port = 47398
        self.assertFalse(listening_on(port), "something else listens on the older server's port")
        server = subprocess.Popen([WINE_RUN, "--wine-root", WINE_ROOT, installed, str(port), "127.0.0.1"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (server.kill(), server.wait()))
        self.assertTrue(wait_for(lambda: listening_on(port)), "the older server did not start")

        wizard = self.start()
        self.install(wizard, SERVER_TILE)
        self.assert_warning_and_options_page_stays(wizard, "聊天室服务器")
        with open(installed, "rb") as f:
            self.assertEqual(f.read(), older)
        self.assertLessEqual(set(listing(INSTALL_FOLDER)), {SERVER, CLIENT}, "half-written files left behind")
        self.assertEqual(listing(DESKTOP), ["Tavrimo"], "shortcuts made by a failed run")

        # Once the server has stopped, pressing install again installs.
        server.kill()
        server.wait()
        self.assertTrue(wait_for(lambda: not wine_processes(SERVER)))
        wizard.click(INSTALL_BUTTON, pause=0)
        self.wait_for_finish_page(wizard)
        self.assertTrue(same_as_product(installed, SERVER))


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/python3
"""File operations whose fixtures only the Linux side can make, run through the
target probe program under Wine:

- deleteDirectory refuses drive roots, checked on a drive letter of the test's
  own (a link in the Wine prefix's dosdevices to a throw-away folder holding a
  canary), so a faulty refusal can only empty that folder;
- deleteDirectory does not enter a link to another folder (Wine shows a Linux
  symbolic link to a directory as a reparse point);
- createShortcut's files, read back by Debian's lnkinfo.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ARGS = None


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def probe(*args):
    """Runs the probe program and gives its printed result, "true" or "false"."""
    done = subprocess.run([ARGS.runner, "--wine-root", ARGS.wine_root, ARGS.probe, *args],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
    if done.returncode != 0:
        raise AssertionError(f"probe {args!r} exited with {done.returncode}: {done.stderr.decode(errors='replace')}")
    return done.stdout.decode("gbk").split()[-1]


def tree_of(folder):
    """Every entry below `folder`, relative to it; directories end in a slash."""
    tree = set()
    for root, dirs, files in os.walk(folder):
        relative = os.path.relpath(root, folder)
        prefix = "" if relative == "." else relative + "/"
        tree.update(prefix + d + "/" for d in dirs)
        tree.update(prefix + f for f in files)
    return tree


def make_tree(folder, entries):
    """Entries relative to `folder`: a name ending in a slash is a directory."""
    for entry in entries:
        path = os.path.join(folder, entry)
        if entry.endswith("/"):
            os.makedirs(path, exist_ok=True)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w") as f:
                f.write("canary")


class Scratch(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="tavrimo-files-")
        self.addCleanup(shutil.rmtree, self.scratch)


class DriveRootRefusal(Scratch):
    CONTENT = ["canary.txt", "sub/", "sub/inner.txt"]

    def setUp(self):
        super().setUp()
        self.drive_folder = os.path.join(self.scratch, "drive")
        make_tree(self.drive_folder, self.CONTENT)
        # The prefix exists once the probe has run.
        self.assertEqual(probe("delete-directory", windows_path(os.path.join(self.scratch, "absent"))), "false")
        dosdevices = os.path.join(ARGS.wine_root, "prefix", "dosdevices")
        for letter in "yxwvutsrqponmlkjihgfed":
            link = os.path.join(dosdevices, letter + ":")
            if not os.path.lexists(link) and not os.path.lexists(link + ":"):
                os.symlink(self.drive_folder, link)
                self.addCleanup(os.remove, link)
                self.drive = letter.upper() + ":"
                break
        else:
            self.skipTest("no free drive letter in the Wine prefix")

    def test_every_spelling_of_the_root_is_refused_and_nothing_deleted(self):
        d = self.drive
        cases = [
            ([], d), ([], d + "\\"), ([], "   " + d + "\\"), ([], " " + d),
            # Spellings the platform resolves to the root as well.
            ([], d + "/"), ([], d + "\\\\"), ([], d + "\\."), ([], d + "\\sub\\.."),
            # Relative paths, from the root of the test's drive.
            (["--directory=" + d + "\\"], "\\"), (["--directory=" + d + "\\"], "."),
            (["--directory=" + d + "\\"], "   "), (["--directory=" + d + "\\"], ""),
        ]
        for options, path in cases:
            with self.subTest(path=path, options=options):
                self.assertEqual(probe(*options, "delete-directory", path), "false")
                self.assertEqual(tree_of(self.drive_folder), set(self.CONTENT))

    def test_a_folder_on_that_drive_is_deleted(self):
        # The drive works: the refusals above are refusals, not failures to reach it.
        make_tree(self.drive_folder, ["folder/", "folder/a.txt"])
        self.assertEqual(probe("delete-directory", self.drive + "\\folder"), "true")
        self.assertEqual(tree_of(self.drive_folder), set(self.CONTENT))


class LinksAreNotEntered(Scratch):
    def test_the_folder_a_link_leads_to_keeps_its_content(self):
        make_tree(self.scratch, ["victim/a.txt", "victim/sub/b.txt", "outside/keep.txt", "outside/inner/deep.txt"])
        os.symlink(os.path.join(self.scratch, "outside"), os.path.join(self.scratch, "victim", "link"))
        # A link to a folder that holds the victim itself.
        os.symlink(self.scratch, os.path.join(self.scratch, "victim", "sub", "up"))

        result = probe("delete-directory", windows_path(os.path.join(self.scratch, "victim")))

        self.assertEqual(tree_of(os.path.join(self.scratch, "outside")), {"keep.txt", "inner/", "inner/deep.txt"})
        victim = os.path.join(self.scratch, "victim")
        # Wine removes a link only through its target, so the links may stay (and
        # with them the victim); everything else in the victim has gone.
        left = {entry for entry in os.listdir(victim)} if os.path.lexists(victim) else set()
        self.assertLessEqual(left, {"link", "sub"})
        if "sub" in left:
            self.assertEqual(os.listdir(os.path.join(victim, "sub")), ["up"])
        self.assertEqual(result, "false" if os.path.lexists(victim) else "true")


def lnkinfo(path):
    """lnkinfo's fields of the shortcut file at `path`, by label."""
    done = subprocess.run(["lnkinfo", "-c", "windows-936", path], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          env=dict(os.environ, LC_ALL="C.UTF-8"), timeout=60)
    if done.returncode != 0:
        raise AssertionError(f"lnkinfo {path}: {done.stderr.decode(errors='replace')}")
    fields = {}
    for line in done.stdout.decode("utf-8", errors="replace").splitlines():
        match = re.match(r"^\t(\S[^\t:]*?)\t*: ?(.*)$", line)
        if match:
            fields.setdefault(match.group(1), match.group(2))
        elif line.startswith("\tContains "):
            fields[line.strip()] = True
    return fields


def show_command(path):
    # The packaged lnkinfo prints the header's file-size field as "Show Window
    # value", so the show command is read at its documented place: the 32-bit
    # little-endian value at offset 60 of the shell-link header.
    with open(path, "rb") as f:
        header = f.read(64)
    return int.from_bytes(header[60:64], "little")


OPTIONAL_STRINGS = {
    "description": ("Contains a description string", "Description"),
    "arguments": ("Contains a command line arguments string", "Command line arguments"),
    "working-directory": ("Contains a working directory string", "Working directory"),
}


class Shortcuts(Scratch):
    def setUp(self):
        super().setUp()
        make_tree(self.scratch, ["程序/聊天室服务器.exe", "links/", "links/带.点/"])
        self.target = windows_path(os.path.join(self.scratch, "程序", "聊天室服务器.exe"))
        self.links = os.path.join(self.scratch, "links")

    def create(self, name, *options):
        return probe("create-shortcut", windows_path(os.path.join(self.links, name)), self.target, *options)

    def test_the_name_gets_lnk_only_when_it_has_no_full_stop(self):
        cases = [("聊天室服务器", "聊天室服务器.lnk"), ("带.点/快捷方式", "带.点/快捷方式"),
                 ("named.lnk", "named.lnk"), ("a.b", "a.b")]
        for name, saved in cases:
            with self.subTest(name=name):
                self.assertEqual(self.create(name), "true")
                path = os.path.join(self.links, saved)
                self.assertTrue(os.path.isfile(path), sorted(tree_of(self.links)))
                fields = lnkinfo(path)
                self.assertEqual(fields.get("Local path"), self.target)
                self.assertEqual(show_command(path), 5)
                for contains, _ in OPTIONAL_STRINGS.values():
                    self.assertNotIn(contains, fields)
        self.assertEqual(tree_of(self.links), {"带.点/", "聊天室服务器.lnk", "带.点/快捷方式", "named.lnk", "a.b"})

    def test_optional_strings_are_set_when_given_even_empty(self):
        for value in ["Z:\\tmp 说明", ""]:
            with self.subTest(value=value):
                options = [f"--{option}={value}" for option in OPTIONAL_STRINGS]
                self.assertEqual(self.create("given", *options), "true")
                fields = lnkinfo(os.path.join(self.links, "given.lnk"))
                self.assertEqual(fields.get("Local path"), self.target)
                for contains, label in OPTIONAL_STRINGS.values():
                    self.assertIn(contains, fields)
                    self.assertEqual(fields.get(label), value)

    def test_a_missing_folder_gives_false_and_no_file(self):
        self.assertEqual(self.create("missing/link"), "false")
        self.assertEqual(tree_of(self.links), {"带.点/"})


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--runner", required=True, help="scripts/wine-run.sh")
    parser.add_argument("--wine-root", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()

"""Choosing the install folder with the folder chooser, as a user does: the path box
shows the chosen folder followed by "\\Tavrimo"; a cancelled chooser changes nothing."""

import os
import unittest

from harness import DESKTOP, DESKTOP_PATH, DRIVE_C_ITEM, MY_COMPUTER, WizardTestCase, path_box, tree_keys

DEFAULT_PATH = DESKTOP_PATH + "\\Tavrimo"


class BrowseTest(WizardTestCase):

    def test_the_chosen_folder_followed_by_tavrimo_becomes_the_install_path(self):
        os.makedirs(os.path.join(DESKTOP, "chat programs", "lan"))
        cases = [
            ("an ordinary folder", tree_keys("chat programs", "lan"), DESKTOP_PATH + "\\chat programs\\lan\\Tavrimo"),
            # The chooser gives a drive root with its backslash: no doubled one may stay.
            ("a drive root", tree_keys(MY_COMPUTER, DRIVE_C_ITEM), "C:\\Tavrimo"),
            ("Program Files", tree_keys(MY_COMPUTER, DRIVE_C_ITEM, "Program Files"), "C:\\Program Files\\Tavrimo"),
        ]
        wizard = self.start()
        self.assertEqual(path_box(), DEFAULT_PATH)
        for case, keys, expected in cases:
            with self.subTest(case):
                wizard.browse(keys)
                self.assertEqual(path_box(), expected)

    def test_cancelling_the_chooser_keeps_the_path(self):
        wizard = self.start()
        wizard.browse(tree_keys(MY_COMPUTER, DRIVE_C_ITEM), cancel=True)
        self.assertEqual(path_box(), DEFAULT_PATH)


if __name__ == "__main__":
    unittest.main()

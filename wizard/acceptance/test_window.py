"""The window as a user meets it: its place and look, the tiles, dragging, closing."""

import time
import unittest

from harness import (BANNER, CLIENT_TILE, CLOSE_BUTTON, PAGE_BACKGROUND, SERVER_TILE,
                     SHORTCUT_OPTION, TITLE, WizardTestCase, pixel, screen_size, screenshot, windows_titled)

# A spot inside each tile's frame that the tick covers once the tile is checked.
TICK_SPOT = (80, -27)


def is_blue(rgb):
    return rgb[2] > 150 and rgb[0] < 120


class WindowTest(WizardTestCase):

    def tile_ticked(self, wizard, tile):
        x, y = wizard.point((tile[0] + TICK_SPOT[0], tile[1] + TICK_SPOT[1]))
        return is_blue(pixel(x, y))

    def test_opens_centred_borderless_with_its_title(self):
        wizard = self.start()
        left, top, width, height = wizard.geometry()
        screen_width, screen_height = screen_size()
        self.assertEqual((width, height), (480, 340))
        self.assertEqual((left, top), ((screen_width - 480) // 2, (screen_height - 340) // 2))
        self.assertEqual(windows_titled(TITLE), [wizard.window])
        print("screenshot:", screenshot("wizard-start.png"))

    def test_tiles_tick_and_untick_and_disabled_options_ignore_clicks(self):
        wizard = self.start()
        option = wizard.point(SHORTCUT_OPTION)
        grey_box = pixel(*option)
        wizard.click(SHORTCUT_OPTION)
        self.assertEqual(pixel(*option), grey_box, "a disabled option changed")

        wizard.click(CLIENT_TILE)
        self.assertTrue(self.tile_ticked(wizard, CLIENT_TILE))
        self.assertFalse(self.tile_ticked(wizard, SERVER_TILE))
        wizard.click(SERVER_TILE)
        self.assertTrue(self.tile_ticked(wizard, SERVER_TILE))
        self.assertNotEqual(pixel(*option), grey_box, "the shortcut option was not enabled")
        wizard.click(SERVER_TILE)
        wizard.click(CLIENT_TILE)
        self.assertFalse(self.tile_ticked(wizard, SERVER_TILE))
        self.assertFalse(self.tile_ticked(wizard, CLIENT_TILE))
        self.assertEqual(pixel(*option), grey_box, "the shortcut option was not disabled again")

    def test_dragging_the_banner_or_page_moves_the_window_but_a_tile_does_not(self):
        wizard = self.start()
        left, top, _, _ = wizard.geometry()
        wizard.drag(BANNER, (-60, -40))
        self.assertEqual(wizard.geometry()[:2], (left - 60, top - 40))
        wizard.drag(PAGE_BACKGROUND, (30, 20))
        self.assertEqual(wizard.geometry()[:2], (left - 30, top - 20))
        wizard.drag(SERVER_TILE, (0, 80))  # released on the page, off the tile
        self.assertEqual(wizard.geometry()[:2], (left - 30, top - 20))
        self.assertFalse(self.tile_ticked(wizard, SERVER_TILE), "a press dragged off the tile clicked it")

    def test_escape_ends_the_program_with_exit_code_zero(self):
        wizard = self.start()
        wizard.key("Escape")
        self.assertEqual(wizard.wait_exit(), 0)

    def test_close_button_ends_the_program_with_exit_code_zero(self):
        wizard = self.start()
        wizard.click(CLOSE_BUTTON)
        self.assertEqual(wizard.wait_exit(), 0)
        time.sleep(0.5)
        self.assertEqual(windows_titled(TITLE), [])


if __name__ == "__main__":
    unittest.main()

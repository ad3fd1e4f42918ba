#pragma once
// Pictures of the toolkit's tests.
#define TEST_ALPHA_PNG 101
#define TEST_BUTTON_NORMAL 102
#define TEST_BUTTON_HOVER 103
#define TEST_BUTTON_PRESSED 104
#define TEST_CHECK_NORMAL 105
#define TEST_CHECK_PRESSED 106
#define TEST_CHECK_DISABLED 107

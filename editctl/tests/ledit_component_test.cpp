#include <gtest/gtest.h>
TEST(Dll, Placeholder) {}

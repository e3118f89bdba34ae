// glyphres OUTDIR PALETTE FILE...: the speed-bar glyphs and cursors from their text pictures.
#include "tools/GlyphRes.h"

int main(int argc, char** argv) { return vx::GlyphResMain(argc, argv); }

#include "editor/CusTags.h"

#include "framework/core/Streams.h"
#include "framework/core/ValueStream.h"

namespace vx {

namespace {
// Reads a list of records of the given field kinds ('s' string, 'b' boolean); the first
// field is the item's name.
void ReadList(const AnsiString& fileName, const char* fields, TStringList& names) {
  TFileStream f(fileName, fmOpenRead);
  TReader r(f);
  TStringList read;
  r.ReadListBegin();
  while (!r.EndOfList()) {
    AnsiString name;
    for (const char* k = fields; *k; ++k) {
      if (*k == 's') {
        AnsiString s = r.ReadString();
        if (k == fields) name = s;
      } else {
        r.ReadBoolean();
      }
    }
    read.Add(name);
  }
  r.ReadListEnd();
  names.Assign(read);
}
}  // namespace

void TCusTags::LoadFromFile(const AnsiString& fileName) { ReadList(fileName, "ssbsb", names_); }
void TCusTool::LoadFromFile(const AnsiString& fileName) { ReadList(fileName, "sssb", names_); }

}  // namespace vx

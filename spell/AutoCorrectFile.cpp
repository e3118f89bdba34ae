#include "spell/AutoCorrectFile.h"

#include "spell/SpellPlatform.h"

namespace vx {

void ReadAutoCorrectFile(const AnsiString& fileName, TStrings& from, TStrings& to) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  for (int i = 0; i < lines.Count(); ++i) {
    AnsiString line = lines[i].substr(0, 255);
    size_t eq = line.find('=');
    if (eq == AnsiString::npos || eq == 0 || eq + 1 == line.size()) continue;
    from.Add(AnsiToOemWord(line.substr(0, eq)));
    to.Add(line.substr(eq + 1));
  }
}

}  // namespace vx

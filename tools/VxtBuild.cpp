#include "tools/VxtBuild.h"

#include <exception>

namespace vx {

void BuildTagGroup(const TVxtSource& source, THTMLGroup& group) {
  group.Clear();
  group.SetName(source.Name);
  group.SetGroupNames(source.GroupNamesText());
  for (const TVxtTagSource& t : source.Tags) {
    auto* tag = new THTMLTagDef();
    group.Tags().AddObject(t.Name, tag);  // owned by the list from here on
    tag->SetName(t.Name);
    tag->SetEndTag(t.EndTag);
    tag->SetDescription(t.Description);
    tag->SetKind(static_cast<TTagKind>(t.Kind));
    tag->SetGroupIndex(t.GroupIndex);
    tag->SetBrowsers(static_cast<TBrowserFlags>(t.Browsers));
    for (const TVxtAttribSource& a : t.Attribs) {
      auto* attr = new THTMLAttribDef();
      tag->Attribs().AddObject(a.Name, attr);
      attr->SetName(a.Name);
      attr->SetPickList(a.PickList);
      attr->SetFilter(a.Filter);
      attr->SetOtherAttrib(a.OtherAttrib);
      attr->SetDescription(a.Description);
      attr->SetAttrType(static_cast<TAttribType>(a.AttrType));
      attr->SetRequired(static_cast<TAttribRequired>(a.Required));
      attr->SetIsFlag(a.IsFlag);
      attr->SetBrowsers(static_cast<TBrowserFlags>(a.Browsers));
    }
  }
}

int VxtBuildMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  if (argc != 3) {
    err << "usage: vxtbuild SOURCE OUTPUT\n";
    return 2;
  }
  const std::string sourceName = argv[1], outputName = argv[2];
  try {
    TVxtSource source = LoadVxtSource(sourceName);
    THTMLGroup group;
    BuildTagGroup(source, group);
    group.SaveToFile(outputName);
    out << outputName << ": " << source.Tags.size() << " tags in " << source.GroupNames.size() << " groups\n";
    return 0;
  } catch (const EVxtSyntaxError& e) {
    err << e.FileName() << ":" << e.Line() << ": error: " << e.Text() << "\n";
  } catch (const std::exception& e) {
    err << "vxtbuild: " << e.what() << "\n";
  } catch (...) {
    err << "vxtbuild: unexpected failure\n";
  }
  return 1;
}

}  // namespace vx

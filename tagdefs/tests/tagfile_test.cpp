// The .vxt file: exact bytes, round trips, and what a failed load leaves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/core/tests/TestFiles.h"
#include "framework/core/tests/WholeFileWatch.h"
#include "tagdefs/teTagType.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace vx;

namespace {

std::string Bytes(const std::initializer_list<int>& b) {
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

std::string Saved(const THTMLGroup& g) {
  TStringStream s;
  g.SaveToStream(s);
  return s.DataString();
}

THTMLTagDef* AddTag(THTMLGroup& g, const AnsiString& name) {
  auto* t = new THTMLTagDef;
  t->SetName(name);
  g.Tags().AddObject(name, t);
  return t;
}

THTMLAttribDef* AddAttr(THTMLTagDef& t, const AnsiString& name) {
  auto* a = new THTMLAttribDef;
  a->SetName(name);
  t.Attribs().AddObject(name, a);
  return a;
}

// A set that uses every field, value and string width.
void FillRich(THTMLGroup& g) {
  g.SetName("HTML 3.2 + Extensions");
  g.SetGroupNames("Text\r\nLinks\r\nImages\r\nTables");
  THTMLTagDef* img = AddTag(g, "IMG");
  img->SetEndTag("");
  img->SetDescription("<p>Inserts an image.</p>" + std::string(400, 'd'));
  img->SetKind(tkStandAlone);
  img->SetGroupIndex(2);
  img->SetBrowsers(bfNetscape3 | bfIE3 | bfMosaic | bfIntBrowser);
  img->SetExtraText("kept \x01 as read");
  THTMLAttribDef* src = AddAttr(*img, "SRC");
  src->SetAttrType(atImage);
  src->SetRequired(arRequired);
  src->SetFilter("Gif Files (*.gif)|*.gif|JPeg Files (*.jpg)|*.jpg");
  src->SetDescription("<a name=\"SRC\"></a>The image file.");
  src->SetBrowsers(bfNetscape3 | bfIntBrowser);
  THTMLAttribDef* alt = AddAttr(*img, "ALT");
  alt->SetRequired(arUnlessOther);
  alt->SetOtherAttrib("SRC");
  THTMLAttribDef* align = AddAttr(*img, "ALIGN");
  align->SetAttrType(atPickList);
  align->SetPickList("LEFT\r\nRIGHT\r\nTOP\r\nMIDDLE\r\nBOTTOM");
  THTMLAttribDef* ismap = AddAttr(*img, "ISMAP");
  ismap->SetIsFlag(true);
  ismap->SetBrowsers(bfMosaic);
  THTMLTagDef* b = AddTag(g, "B");
  b->SetEndTag("/B");
  b->SetKind(tkHasEndTag);
  b->SetGroupIndex(-1);
  b->SetBrowsers(bfIE3);
  THTMLTagDef* p = AddTag(g, "P");
  p->SetEndTag("/P");
  p->SetKind(tkEither);
  p->SetGroupIndex(40000);
  AddAttr(*p, "WIDTH")->SetAttrType(atNumeric);
  AddAttr(*p, "BGCOLOR")->SetAttrType(atColor);
  AddAttr(*p, "HREF")->SetAttrType(atFile);
  AddAttr(*p, "TEXT")->SetDescription(std::string(70000, 't'));
  AddTag(g, "");  // hand-made files may hold empty names
}

void ExpectSameAttr(const THTMLAttribDef& a, const THTMLAttribDef& b) {
  EXPECT_EQ(a.PickList(), b.PickList());
  EXPECT_EQ(a.Name(), b.Name());
  EXPECT_EQ(a.Filter(), b.Filter());
  EXPECT_EQ(a.OtherAttrib(), b.OtherAttrib());
  EXPECT_EQ(a.Description(), b.Description());
  EXPECT_EQ(a.AttrType(), b.AttrType());
  EXPECT_EQ(a.Required(), b.Required());
  EXPECT_EQ(a.IsFlag(), b.IsFlag());
  EXPECT_EQ(a.Browsers(), b.Browsers());
}

void ExpectSameTag(const THTMLTagDef& a, const THTMLTagDef& b) {
  EXPECT_EQ(a.Name(), b.Name());
  EXPECT_EQ(a.EndTag(), b.EndTag());
  EXPECT_EQ(a.Description(), b.Description());
  EXPECT_EQ(a.Kind(), b.Kind());
  EXPECT_EQ(a.GroupIndex(), b.GroupIndex());
  EXPECT_EQ(a.Browsers(), b.Browsers());
  EXPECT_EQ(a.ExtraText(), b.ExtraText());
  ASSERT_EQ(a.Attribs().Count(), b.Attribs().Count());
  for (int i = 0; i < a.Attribs().Count(); ++i) {
    EXPECT_EQ(a.Attribs()[i], b.Attribs()[i]);
    ExpectSameAttr(*a.AttribAt(i), *b.AttribAt(i));
  }
}

void ExpectSameSet(const THTMLGroup& a, const THTMLGroup& b) {
  EXPECT_EQ(a.Name(), b.Name());
  EXPECT_EQ(a.GroupNames(), b.GroupNames());
  ASSERT_EQ(a.Tags().Count(), b.Tags().Count());
  for (int i = 0; i < a.Tags().Count(); ++i) {
    EXPECT_EQ(a.Tags()[i], b.Tags()[i]);
    ExpectSameTag(*a.TagAt(i), *b.TagAt(i));
  }
}

std::string LoadError(THTMLGroup& g, const std::string& data) {
  TStringStream s(data);
  try {
    g.LoadFromStream(s);
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "";
}

}  // namespace

TEST(TagFileBytes, WorkedExamples) {
  THTMLGroup g;
  EXPECT_EQ(Saved(g), Bytes({0x06, 0x00, 0x02, 0x00, 0x01, 0x00, 0x06, 0x00}));

  THTMLTagDef* b = AddTag(g, "B");
  b->SetEndTag("/B");
  b->SetKind(tkHasEndTag);
  b->SetGroupIndex(0);
  b->SetBrowsers(bfNetscape3 | bfIE3);
  const std::string tagB = Bytes({0x06, 0x01, 0x42, 0x06, 0x02, 0x2F, 0x42, 0x06, 0x00, 0x02, 0x01,
                                  0x02, 0x00, 0x09, 0x09, 0x08, 0x08, 0x06, 0x00, 0x01, 0x00});
  EXPECT_EQ(Saved(g), Bytes({0x06, 0x00, 0x02, 0x01, 0x01}) + tagB + Bytes({0x00, 0x06, 0x00}));

  b->SetGroupIndex(-1);
  EXPECT_EQ(Saved(g).substr(5 + 11, 2), Bytes({0x02, 0xFF}));

  for (int i = 1; i < 150; ++i) AddTag(g, "T");
  EXPECT_EQ(Saved(g).substr(2, 3), Bytes({0x03, 0x96, 0x00}));
}

TEST(TagFileBytes, AttributeRecordOrder) {
  THTMLGroup g;
  THTMLTagDef* t = AddTag(g, "A");
  THTMLAttribDef* a = AddAttr(*t, "HREF");
  a->SetPickList("x");
  a->SetFilter("f");
  a->SetOtherAttrib("o");
  a->SetDescription("d");
  a->SetAttrType(atFile);
  a->SetRequired(arUnlessOther);
  a->SetIsFlag(true);
  a->SetBrowsers(bfIE3 | bfIntBrowser);
  const std::string attr = Bytes({0x06, 0x01, 'x',  0x06, 0x04, 'H',  'R',  'E',  'F',  0x06, 0x01, 'f',  0x06, 0x01,
                                  'o',  0x06, 0x01, 'd',  0x02, 0x04, 0x02, 0x02, 0x09, 0x08, 0x09, 0x08, 0x09});
  std::string all = Saved(g);
  // Group head (5), tag head up to its list begin (17), the attribute, list end.
  EXPECT_EQ(all.substr(5 + 17, attr.size() + 2), Bytes({0x01}) + attr + Bytes({0x00}));
}

TEST(TagFileRoundTrip, RichSetFieldByField) {
  THTMLGroup g;
  FillRich(g);
  const std::string bytes = Saved(g);
  THTMLGroup r;
  TStringStream s(bytes);
  r.LoadFromStream(s);
  ExpectSameSet(g, r);
  EXPECT_EQ(Saved(r), bytes);  // and back to the same bytes
  EXPECT_EQ(s.Position(), static_cast<int64_t>(bytes.size()));
}

TEST(TagFileLoad, TwiceGivesNoDuplicatesAndReplacesNameAndGroups) {
  THTMLGroup g;
  FillRich(g);
  const std::string bytes = Saved(g);
  THTMLGroup r;
  r.SetName("old");
  r.SetGroupNames("old groups");
  AddTag(r, "OLD");
  for (int i = 0; i < 2; ++i) {
    TStringStream s(bytes);
    r.LoadFromStream(s);
  }
  ExpectSameSet(g, r);
}

TEST(TagFileLoad, CountIsIgnoredAndOddValuesAreKept) {
  THTMLGroup g;
  AddTag(g, "X")->SetBrowsers(bfNetscape3 | bfIE3 | bfMosaic | bfIntBrowser);
  std::string bytes = Saved(g);
  bytes[3] = 0x63;  // claims 99 tags
  // Kind 300 keeps its low byte; a boolean byte 0x07 is false.
  THTMLGroup r;
  const size_t kind = 5 + 3 + 2 + 2;  // after name "X", end tag, description
  bytes.replace(kind, 2, Bytes({0x03, 0x2C, 0x01}));
  ASSERT_EQ(bytes[kind + 5], 0x09);
  bytes[kind + 5] = 0x07;
  EXPECT_EQ(LoadError(r, bytes), "");
  ASSERT_EQ(r.Tags().Count(), 1);
  EXPECT_EQ(r.TagAt(0)->Kind(), 44);
  EXPECT_EQ(r.TagAt(0)->Browsers(), bfIE3 | bfMosaic | bfIntBrowser);
  // Fewer records than claimed, and more.
  bytes[3] = 0x00;
  EXPECT_EQ(LoadError(r, bytes), "");
  EXPECT_EQ(r.Tags().Count(), 1);
}

TEST(TagFileLoad, EveryTruncationFailsAndKeepsWhatWasComplete) {
  THTMLGroup g;
  FillRich(g);
  g.FindTag("P")->FindAttrib("TEXT")->SetDescription(std::string(300, 't'));  // still a long string
  const std::string bytes = Saved(g);
  // Where the name ends and where each tag record ends.
  size_t nameEnd;
  {
    TStringStream s;
    TWriter w(s);
    w.WriteString(g.Name());
    w.FlushBuffer();
    nameEnd = s.DataString().size();
  }
  std::vector<size_t> tagEnd;
  size_t at = nameEnd + 2 + 1;  // count 02 nn, list begin
  for (int i = 0; i < g.Tags().Count(); ++i) {
    TStringStream s;
    TWriter w(s);
    g.TagAt(i)->WriteData(w);
    w.FlushBuffer();
    at += s.DataString().size();
    tagEnd.push_back(at);
  }
  ASSERT_EQ(at + 1 + 2 + g.GroupNames().size(), bytes.size());

  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    THTMLGroup r;
    r.SetName("previous");
    r.SetGroupNames("previous groups");
    AddTag(r, "PREVIOUS");
    ASSERT_EQ(LoadError(r, bytes.substr(0, cut)), "Stream read error") << cut;
    EXPECT_EQ(r.Name(), cut >= nameEnd ? g.Name() : "previous") << cut;
    EXPECT_EQ(r.GroupNames(), "previous groups") << cut;
    int complete = 0;
    while (complete < static_cast<int>(tagEnd.size()) && tagEnd[static_cast<size_t>(complete)] <= cut) ++complete;
    ASSERT_EQ(r.Tags().Count(), complete) << cut;
    for (int i = 0; i < complete; ++i) ExpectSameTag(*g.TagAt(i), *r.TagAt(i));
  }
}

TEST(TagFileLoad, WrongTypeBytesFailWithInvalidPropertyValue) {
  THTMLGroup g;
  FillRich(g);
  std::string bytes = Saved(g);
  THTMLGroup r;
  std::string bad = bytes;
  bad[0] = 0x02;  // the name is not a string
  EXPECT_EQ(LoadError(r, bad), "Invalid property value");
  bad = bytes;
  bad[bytes.size() - 2 - g.GroupNames().size() - 1] = 0x01;  // list end expected
  EXPECT_EQ(LoadError(r, bad), "Invalid property value");
  EXPECT_EQ(r.Tags().Count(), g.Tags().Count());  // all tags were read whole
  EXPECT_EQ(r.GroupNames(), "");
  // A huge long-string length fails at once, whatever it would need.
  EXPECT_EQ(LoadError(r, Bytes({0x0C, 0xF0, 0xFF, 0xFF, 0xFF, 'a'})), "Stream read error");
  EXPECT_EQ(r.Tags().Count(), 0);
}

TEST(TagFileFiles, SaveLoadAndTheirErrors) {
  const AnsiString dir = FreshFolder("tagfile_test_dir");
  const AnsiString f = dir + "set.vxt";
  THTMLGroup g;
  FillRich(g);
  g.SaveToFile(f);
  EXPECT_EQ(Slurp(f), Saved(g));
  THTMLGroup r;
  r.LoadFromFile(f);
  ExpectSameSet(g, r);

  // A second save replaces the file whole and leaves nothing else in the folder.
  THTMLGroup small;
  small.SaveToFile(f);
  EXPECT_EQ(Slurp(f), Saved(small));
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.c_str())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);

  // Read from a file stream in the middle of other data: the stream is left just after
  // the record, however far the reader's blocks went.
  {
    const AnsiString mixed = dir + "mixed.bin";
    {
      TFileStream w(mixed, fmCreate);
      w.WriteBuffer("HEAD", 4);
      g.SaveToStream(w);
      w.WriteBuffer("TAIL", 4);
    }
    {
      TFileStream in(mixed, fmOpenRead);
      in.SetPosition(4);
      THTMLGroup m;
      m.LoadFromStream(in);
      ExpectSameSet(g, m);
      char tail[4];
      in.ReadBuffer(tail, 4);
      EXPECT_EQ(std::string(tail, 4), "TAIL");
    }
    EXPECT_TRUE(DeleteFile(mixed));
  }

  // A missing file: the message names it and the set is untouched.
  try {
    r.LoadFromFile(dir + "none.vxt");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + dir + "none.vxt");
  }
  EXPECT_EQ(r.Tags().Count(), g.Tags().Count());

  // No folder to put the temporary file in.
  const AnsiString bad = dir + "none" + PathDelim + "set.vxt";
  try {
    g.SaveToFile(bad);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + bad);
  }
  EXPECT_FALSE(FileExists(bad));

  // A target that cannot be replaced (a folder of that name) stays, and so does the set.
  const AnsiString blocked = dir + "blocked.vxt";
  ForceDirectories(blocked);
  EXPECT_THROW(g.SaveToFile(blocked), EFCreateError);
  EXPECT_TRUE(DirectoryExists(blocked));
  files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.c_str())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  EXPECT_EQ(Saved(r), Saved(g));
}

// Another program reading a large definition file again and again while it is saved
// finds it at every moment, with the whole old set or the whole new one.
TEST(TagFileFiles, ASetBeingSavedIsAlwaysThereWhole) {
  const AnsiString f = FreshFolder("tagfile_watch") + "standard.vxt";
  const std::vector<std::string> texts = TwoLargeTexts();
  THTMLGroup sets[2];
  for (int i = 0; i < 2; ++i) {
    FillRich(sets[i]);
    AddTag(sets[i], "ZZLARGE")->SetDescription(texts[i]);
  }
  const std::vector<std::string> files = {Saved(sets[0]), Saved(sets[1])};
  sets[0].SaveToFile(f);
  ASSERT_EQ(Slurp(f), files[0]);
  int failed = 0;
  const TWatchResult r = SaveUnderWatch(f, files, 3000, [&](size_t i) {
    try {
      sets[i].SaveToFile(f);
    } catch (const Exception&) {
      ++failed;
    }
  });
  EXPECT_EQ(r.missing, 0) << "no file at the name " << r.missing << " times in " << r.checks << " looks, " << r.saves
                          << " saves";
  EXPECT_EQ(r.torn, 0) << "a set not whole " << r.torn << " times in " << r.checks << " looks";
  EXPECT_EQ(failed, 0) << "of " << r.saves << " saves";
}

#ifndef _WIN32
// A huge file that is no definition set fails at its first byte without being read into
// memory first (it used to cost more memory than the file's size before failing).
TEST(TagFile, AHugeFileThatIsNoSetFailsAtOnceInLittleMemory) {
  const AnsiString f = FreshFolder("tagfile_test_dir") + "huge.vxt";
  { std::ofstream(f.c_str(), std::ios::binary) << '\x07'; }
  std::filesystem::resize_file(std::filesystem::path(f.c_str()), 512ull << 20);  // sparse: no disk used
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  THTMLGroup g;
  EXPECT_THROW(g.LoadFromFile(f), EReadError);
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64L * 1024) << "kilobytes grown while loading";
  std::filesystem::remove(std::filesystem::path(f.c_str()));
}
#endif

#include <gtest/gtest.h>

#include <new>

#include "ledit/core/Document.h"

using ledit::Document;
using ledit::EditKind;
using ledit::LineEnd;
using ledit::LoadResult;
using ledit::Pos;

namespace {

Document Loaded(std::string_view text) {
  Document d;
  EXPECT_EQ(d.Load(text), LoadResult::Ok);
  return d;
}

TEST(Document, LoadAcceptsEveryLineEndAndSavesEachStyle) {
  Document d = Loaded("a\r\nbb\nccc\rd");
  ASSERT_EQ(d.LineCount(), 4);
  EXPECT_EQ(d.Line(2), "ccc");
  EXPECT_EQ(d.Save(LineEnd::CrLf), "a\r\nbb\r\nccc\r\nd");
  EXPECT_EQ(d.Save(LineEnd::Lf), "a\nbb\nccc\nd");
  EXPECT_EQ(d.Save(LineEnd::Cr), "a\rbb\rccc\rd");
  // A final line end is kept as an empty last line and written back.
  Document e = Loaded("x\n");
  EXPECT_EQ(e.LineCount(), 2);
  EXPECT_EQ(e.Save(LineEnd::CrLf), "x\r\n");
  // CR CR LF is two breaks, LF CR is two breaks.
  EXPECT_EQ(Loaded("a\r\r\nb\n\rc").LineCount(), 5);
}

TEST(Document, LoadRefusesOverlongLineAndKeepsDocument) {
  Document d = Loaded("keep\nme");
  d.SetModified(true, 0);
  std::string big = "ok\n" + std::string(32768, 'x');
  int bad = 0;
  EXPECT_EQ(d.Load(big, &bad), LoadResult::LineTooLong);
  EXPECT_EQ(bad, 2);
  EXPECT_EQ(d.Text(), "keep\r\nme");
  EXPECT_TRUE(d.Modified(0));
  EXPECT_EQ(d.Load(std::string(32767, 'y')), LoadResult::Ok);
}

TEST(Document, TextLengthsCountLineEndsAsTwo) {
  Document d = Loaded("ab\ncd\n");
  EXPECT_EQ(d.TextLength(), 2u + 2 + 2 + 2);
  EXPECT_EQ(d.Text().size(), d.TextLength());
  EXPECT_EQ(d.RangeLength({0, 1}, {1, 1}), 4u);
  EXPECT_EQ(d.TextRange({1, 1}, {0, 1}), "b\r\nc");
}

TEST(Document, ReplaceSplitsAndJoinsLines) {
  Document d = Loaded("hello world");
  ASSERT_TRUE(d.Replace({0, 5}, {0, 6}, "\r\nnew\nline\r"));
  EXPECT_EQ(d.Save(LineEnd::Lf), "hello\nnew\nline\nworld");
  EXPECT_EQ(d.Caret(), (Pos{3, 0}));
  ASSERT_TRUE(d.Replace({1, 1}, {3, 2}, "X"));
  EXPECT_EQ(d.Save(LineEnd::Lf), "hello\nnXrld");
  EXPECT_EQ(d.Caret(), (Pos{1, 2}));
  // Positions beyond the text are clamped.
  ASSERT_TRUE(d.Replace({9, 99}, {9, 99}, "!"));
  EXPECT_EQ(d.Line(1), "nXrld!");
}

TEST(Document, ReplaceRefusesLineBeyondLimit) {
  Document d = Loaded(std::string(32760, 'a'));
  uint64_t v = d.Version();
  EXPECT_FALSE(d.Replace({0, 0}, {0, 0}, "12345678"));
  EXPECT_EQ(d.LineLength(0), 32760);
  EXPECT_EQ(d.Version(), v);
  EXPECT_TRUE(d.Replace({0, 0}, {0, 0}, "1234567"));
  EXPECT_FALSE(d.Replace({0, 10}, {0, 10}, "\n" + std::string(100, 'b')));
  EXPECT_TRUE(d.Replace({0, 10}, {0, 10}, std::string(100, 'b') + "\n"));
}

TEST(Document, TypingRunsUndoAsOneStepAndRestoresSelection) {
  Document d = Loaded("ab");
  d.SetSelection({0, 1}, {0, 1});
  for (char c : std::string("xyz")) d.ReplaceSelection(std::string(1, c), EditKind::Typing);
  EXPECT_EQ(d.Line(0), "axyzb");
  d.ReplaceSelection("\n", EditKind::Typing);  // a line break starts a new step
  d.ReplaceSelection("q", EditKind::Typing);
  EXPECT_EQ(d.Save(LineEnd::Lf), "axyz\nqb");
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Save(LineEnd::Lf), "axyzb");
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Line(0), "ab");
  EXPECT_EQ(d.Caret(), (Pos{0, 1}));
  EXPECT_FALSE(d.CanUndo());
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(d.Line(0), "axyzb");
  EXPECT_EQ(d.Caret(), (Pos{0, 4}));
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(d.Save(LineEnd::Lf), "axyz\nqb");
  EXPECT_FALSE(d.CanRedo());
}

TEST(Document, CaretMoveEndsTypingRunAndNewEditDropsRedo) {
  Document d = Loaded("");
  d.ReplaceSelection("a", EditKind::Typing);
  d.SetSelection({0, 0}, {0, 0});
  d.ReplaceSelection("b", EditKind::Typing);
  EXPECT_EQ(d.Line(0), "ba");
  d.Undo();
  EXPECT_EQ(d.Line(0), "a");
  EXPECT_TRUE(d.CanRedo());
  d.ReplaceSelection("c");
  EXPECT_FALSE(d.CanRedo());
}

TEST(Document, BackspaceAndDeleteRunsMerge) {
  Document d = Loaded("abcdef");
  d.SetSelection({0, 4}, {0, 4});
  d.Replace({0, 3}, {0, 4}, "", EditKind::DeleteBack);
  d.Replace({0, 2}, {0, 3}, "", EditKind::DeleteBack);
  EXPECT_EQ(d.Line(0), "abef");
  d.Replace({0, 2}, {0, 3}, "", EditKind::DeleteForward);
  d.Replace({0, 2}, {0, 3}, "", EditKind::DeleteForward);
  EXPECT_EQ(d.Line(0), "ab");
  d.Undo();
  EXPECT_EQ(d.Line(0), "abef");
  d.Undo();
  EXPECT_EQ(d.Line(0), "abcdef");
  EXPECT_FALSE(d.CanUndo());
}

TEST(Document, UndoDepthLimitsSteps) {
  Document d = Loaded("");
  d.SetUndoDepth(2);
  d.ReplaceSelection("1");
  d.ReplaceSelection("2");
  d.ReplaceSelection("3");
  EXPECT_TRUE(d.Undo());
  EXPECT_TRUE(d.Undo());
  EXPECT_FALSE(d.Undo());
  EXPECT_EQ(d.Line(0), "1");
  d.SetUndoDepth(0);
  d.ReplaceSelection("4");
  EXPECT_FALSE(d.CanUndo());
}

TEST(Document, ModifiedBitsFollowMasks) {
  Document d = Loaded("x");
  EXPECT_FALSE(d.Modified(0));
  d.ReplaceSelection("y");
  EXPECT_EQ(d.ModifiedBits(), 0xFF);
  d.SetModified(false, 3);
  EXPECT_FALSE(d.Modified(3));
  EXPECT_TRUE(d.Modified(0));  // mask 0 tests every bit
  EXPECT_TRUE(d.Modified(4));
  d.SetModified(false, 0);
  EXPECT_FALSE(d.Modified(0));
  d.Undo();  // undo is an edit too
  EXPECT_TRUE(d.Modified(1));
}

TEST(Document, BookmarksStayOnTheirLines) {
  Document d = Loaded("l0\nl1\nl2\nl3\nl4");
  d.SetBookmarkCount(6);
  d.SetBookmark(1, 1);
  d.SetBookmark(2, 3);
  d.SetBookmark(3, 4);
  // Lines inserted above move bookmarks down.
  d.Replace({0, 2}, {0, 2}, "\nnew");
  EXPECT_EQ(d.Bookmark(1), 2);
  EXPECT_EQ(d.Bookmark(2), 4);
  // A break typed at the start of a bookmarked line pushes it down with its text.
  d.Replace({2, 0}, {2, 0}, "\n");
  EXPECT_EQ(d.Bookmark(1), 3);
  EXPECT_EQ(d.Line(3), "l1");
  // A break typed inside the line leaves the bookmark where it is.
  d.Replace({3, 1}, {3, 1}, "\n");
  EXPECT_EQ(d.Bookmark(1), 3);
  // Deleting lines above pulls bookmarks up; a deleted line's bookmark lands on the join.
  d.Replace({0, 0}, {3, 0}, "");
  EXPECT_EQ(d.Bookmark(1), 0);
  EXPECT_EQ(d.Line(d.Bookmark(2)), "l3");
  EXPECT_EQ(d.Line(d.Bookmark(3)), "l4");
  // Out of range and unset.
  EXPECT_EQ(d.Bookmark(0), -1);
  EXPECT_FALSE(d.SetBookmark(6, 1));
  EXPECT_EQ(d.Bookmark(6), -1);
  // Undo moves them back with the text.
  d.Undo();
  EXPECT_EQ(d.Line(d.Bookmark(2)), "l3");
}

TEST(Document, FindBothWaysWithCaseAndWholeWord) {
  Document d = Loaded("Alpha beta\nalphabet ALPHA\n\xC4rger \xE4rger");
  Pos s, e;
  ASSERT_TRUE(d.Find("alpha", {0, 1}, true, false, false, s, e));
  EXPECT_EQ(s, (Pos{1, 0}));
  EXPECT_EQ(e, (Pos{1, 5}));
  ASSERT_TRUE(d.Find("alpha", {0, 1}, true, false, true, s, e));
  EXPECT_EQ(s, (Pos{1, 9}));
  EXPECT_FALSE(d.Find("alpha", {1, 10}, true, true, false, s, e));
  ASSERT_TRUE(d.Find("alpha", {1, 9}, false, true, false, s, e));
  EXPECT_EQ(s, (Pos{1, 0}));
  ASSERT_TRUE(d.Find("ALPHA", {1, 14}, false, true, false, s, e));
  EXPECT_EQ(s, (Pos{1, 9}));
  // Code page 1252 letters fold too.
  ASSERT_TRUE(d.Find("\xE4RGER", {2, 1}, true, false, false, s, e));
  EXPECT_EQ(s, (Pos{2, 6}));
  EXPECT_FALSE(d.Find("", {0, 0}, true, false, false, s, e));
}

TEST(Document, SetTextIsOneUndoableEditWithCaretAtStart) {
  Document d = Loaded("old");
  d.SetSelection({0, 3}, {0, 3});
  ASSERT_TRUE(d.SetText("new\ntext"));
  EXPECT_EQ(d.Caret(), (Pos{0, 0}));
  EXPECT_EQ(d.LineCount(), 2);
  d.Undo();
  EXPECT_EQ(d.Text(), "old");
}

TEST(Document, EditsInsideOneStepUndoTogether) {
  Document d = Loaded("a-b-c");
  d.ReplaceSelection("x", EditKind::Typing);
  d.BeginStep();
  Pos s, e;
  Pos from{0, 0};
  while (d.Find("-", from, true, true, false, s, e)) {
    d.Replace(s, e, "+\n");
    from = d.Caret();
  }
  d.EndStep();
  EXPECT_EQ(d.Save(LineEnd::Lf), "xa+\nb+\nc");
  d.Undo();
  EXPECT_EQ(d.Line(0), "xa-b-c");
  d.Undo();
  EXPECT_EQ(d.Line(0), "a-b-c");
  d.Redo();
  d.Redo();
  EXPECT_EQ(d.LineCount(), 3);
}

TEST(Document, TextPutAroundASelectionKeepsTheLinesBetween) {
  Document d = Loaded("zero\nfirst line\nmiddle\nlast line\nend");
  d.SetBookmarkCount(4);
  d.SetBookmark(1, 2);
  d.SetSelection({3, 4}, {1, 6});
  const std::string before = d.Text("\n");
  ASSERT_TRUE(d.SurroundSelection("<div>\r\n", "</div>"));
  const std::string after = d.Text("\n");
  EXPECT_EQ(after, "zero\nfirst <div>\nline\nmiddle\nlast</div> line\nend");
  EXPECT_EQ(d.Caret(), (Pos{4, 10}));
  EXPECT_FALSE(d.HasSelection());
  // The bookmark inside stays on its line, as it does when the two ends are typed.
  EXPECT_EQ(d.Line(d.Bookmark(1)), "middle");
  // One step, back to the selection it replaced.
  d.Undo();
  EXPECT_EQ(d.Text("\n"), before);
  EXPECT_EQ(d.Anchor(), (Pos{3, 4}));
  EXPECT_EQ(d.Caret(), (Pos{1, 6}));
  EXPECT_FALSE(d.CanUndo());
  d.Redo();
  EXPECT_EQ(d.Text("\n"), after);
  EXPECT_EQ(d.Caret(), (Pos{4, 10}));
  // A whole that a line cannot hold changes nothing, neither end.
  Document w = Loaded("ab\n" + std::string(32760, 'x'));
  w.SetSelection({0, 1}, {1, 32760});
  uint64_t v = w.Version();
  EXPECT_FALSE(w.SurroundSelection("<", "</tag>++"));
  EXPECT_EQ(w.Version(), v);
  EXPECT_EQ(w.Line(0), "ab");
  EXPECT_FALSE(w.CanUndo());
  // Replace all puts the text around each match, and undoes in one step.
  Document r = Loaded("a-b-c");
  EXPECT_EQ(r.ReplaceAll("-", "[-]", true, false), 2);
  EXPECT_EQ(r.Line(0), "a[-]b[-]c");
  r.Undo();
  EXPECT_EQ(r.Line(0), "a-b-c");
}

// A replace is one edit of the lines it covers, whatever its text holds: a text that holds
// the one it replaces (table rows replaced by twice as many) is not searched for it, so the
// work grows with the text. Counted in the changes the lexer and the view are told of: one,
// of every line; the lines between are replaced too, and a bookmark there goes to the end.
TEST(Document, AReplaceNeverSearchesItsTextForTheOldOne) {
  std::string rows;
  for (int i = 0; i < 200; ++i) rows += "<TR><TD>cell</TD></TR>\n";
  for (bool oldFirst : {true, false}) {
    Document d = Loaded(rows + "</TABLE>");
    d.SetBookmarkCount(2);
    d.SetBookmark(1, 100);
    std::vector<std::array<int, 3>> changes;
    d.SetChangeHandler([&](int f, int r, int i) { changes.push_back({f, r, i}); });
    d.SetSelection({0, 0}, d.EndPos());
    std::string old = d.Text("\n");
    ASSERT_TRUE(d.ReplaceSelection(oldFirst ? old + "\n" + rows : rows + old));
    const int last = oldFirst ? 401 : 400;
    EXPECT_EQ(changes, (std::vector<std::array<int, 3>>{{0, 200, last}})) << oldFirst;
    EXPECT_EQ(d.Bookmark(1), last) << oldFirst;
    d.Undo();
    EXPECT_EQ(d.Text("\n"), old);
    EXPECT_FALSE(d.CanUndo());
  }
}

TEST(Document, ReplaceAllIsOneStepAndAFaultEndsTheStep) {
  Document d = Loaded("a-b-c-d");
  EXPECT_EQ(d.ReplaceAll("-", "+", true, false), 3);
  EXPECT_EQ(d.Line(0), "a+b+c+d");
  d.Undo();
  EXPECT_EQ(d.Line(0), "a-b-c-d");

  // The window's change handler runs out of memory on the second replacement.
  int calls = 0;
  d.SetChangeHandler([&](int, int, int) {
    if (++calls == 2) throw std::bad_alloc();
  });
  EXPECT_THROW(d.ReplaceAll("-", "+", true, false), std::bad_alloc);
  d.SetChangeHandler({});
  // Later edits are steps of their own, not merged into the broken replace.
  d.SetSelection({0, 7}, {0, 7});
  d.ReplaceSelection("X");
  d.SetSelection({0, 0}, {0, 0});
  d.ReplaceSelection("Y");
  std::string afterFault = "Y" + std::string(d.Line(0).substr(1, d.LineLength(0) - 2)) + "X";
  ASSERT_EQ(d.Line(0), afterFault);
  d.Undo();
  EXPECT_EQ(d.Line(0).front(), afterFault[1]);
  EXPECT_EQ(d.Line(0).back(), 'X');
  d.Undo();
  EXPECT_EQ(d.Line(0).back(), 'd');
}

TEST(Document, ChangeHandlerReportsLineSplices) {
  Document d = Loaded("a\nb\nc");
  int first = -1, removed = -1, inserted = -1;
  d.SetChangeHandler([&](int f, int r, int i) { first = f, removed = r, inserted = i; });
  d.Replace({0, 1}, {2, 0}, "x\ny\nz");
  EXPECT_EQ(first, 0);
  EXPECT_EQ(removed, 2);
  EXPECT_EQ(inserted, 2);
  d.Replace({1, 0}, {1, 1}, "Q");
  EXPECT_EQ(first, 1);
  EXPECT_EQ(removed, 0);
  EXPECT_EQ(inserted, 0);
}

}  // namespace

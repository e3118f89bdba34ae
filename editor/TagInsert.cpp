// Tag insertion into the current document: speed-bar buttons, tag menu items, the
// palette, files dropped from the explorer list, and clicks on tag names in the text.
#include <algorithm>
#include <memory>

#include "editor/DocFiles.h"
#include "editor/HTMLBox.h"
#include "editor/Settings.h"
#include "editor/TagText.h"
#include "editor/WrapText.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "editor/vx2_help.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/FileCtrl.h"
#include "tagdefs/ParEd.h"
#include "tagdefs/tePaths.h"
#include "tagdefs/teTagType.h"
#include "toolkit/SpeedBar.h"

namespace vx {

namespace {

// Forms made for one modal run and freed whatever happens.
struct FormFree {
  void operator()(TForm* f) const { f->Free(); }
};
template <class T>
using TFormPtr = std::unique_ptr<T, FormFree>;

// Runs an event handler's body: no exception leaves a call-back of the control.
template <class F>
void Guarded(TObject* sender, F&& f) {
  try {
    f();
  } catch (...) {
    Application->HandleException(sender);
  }
}

}  // namespace

TfrmParEd* TfrmEditWin::NewAttributeEditor(THTMLTagDef* Def) {
  auto* ed = CreateForm<TfrmParEd>(this);
  ed->LowerCaseTags = opt_.lowerCase;
  if (TSettings* s = FrameForm ? FrameForm->Settings() : nullptr) {
    ed->DocFilter = s->DocFilter();
    ed->ImgFilter = s->ImgFilter();
  }
  ed->LoadTag(Def);
  return ed;
}

void TfrmEditWin::WrapSelection(THTMLTagDef* Def, const AnsiString& Attrs, bool HasSel, int StartLine, int StartPos,
                                int EndLine, int EndPos) {
  TxEdit* ed = CurrentEditor();
  if (!ed) return;
  AnsiString endTag;
  if (Def->Kind() == tkHasEndTag || (Def->Kind() == tkEither && HasSel))
    endTag = Format("<%s>", LowerCaseIf(Def->EndTag(), opt_.lowerCase).c_str());
  AnsiString startTag = Format("<%s%s>", LowerCaseIf(Def->Name(), opt_.lowerCase).c_str(), Attrs.c_str());
  // With a selection the tagged text ends up selected; without, the caret stands between
  // the two tags.
  if (!WrapText(ed, StartLine, StartPos, EndLine, EndPos, startTag, endTag, HasSel)) {
    MessageDlg(Format("The %s tag was not inserted: a line would be longer than %d characters.", Def->Name().c_str(),
                      LE_MAX_COLUMNS),
               mtError, {mbOK}, 0);
    return;
  }
  if (ed->CanFocus()) ed->SetFocus();
}

bool OrderedSelection(TxEdit* ed, int& StartLine, int& StartPos, int& EndLine, int& EndPos) {
  bool hasSel = ed->GetSelLength() > 0;
  ed->UpdateSelection();
  StartLine = ed->StartLine();
  StartPos = ed->StartPos();
  EndLine = ed->EndLine();
  EndPos = ed->EndPos();
  if (EndLine < StartLine) {
    std::swap(StartLine, EndLine);
    std::swap(StartPos, EndPos);
  } else if (EndLine == StartLine && EndPos < StartPos) {
    std::swap(StartPos, EndPos);
  }
  return hasSel;
}

void TfrmEditWin::InsertTag(THTMLTagDef* Def, bool WithParams) {
  TxEdit* ed = CurrentEditor();
  if (!ed || !Def) return;
  int startLine, startPos, endLine, endPos;
  bool hasSel = OrderedSelection(ed, startLine, startPos, endLine, endPos);
  AnsiString attrs;
  if (WithParams && Def->Attribs().Count() > 0) {
    EnterDocumentFolder(ed);
    TFormPtr<TfrmParEd> par(NewAttributeEditor(Def));
    par->ParseAttributes("");
    if (par->ShowModal() != mrOk) return;
    attrs = par->BuildAttributes();
  }
  WrapSelection(Def, attrs, hasSel, startLine, startPos, endLine, endPos);
}

void TfrmEditWin::TagButtonMouseUp(TObject* Sender, TMouseButton Button) {
  Guarded(this, [&] {
    auto* button = dynamic_cast<TSpeedbarButton*>(Sender);
    if (!button || !button->Item() || !tagGroup_) return;
    if (THTMLTagDef* def = tagGroup_->FindTag(button->Item()->Caption())) InsertTag(def, Button == mbLeft);
  });
}

void TfrmEditWin::IMGSBClick(TObject* Sender) {
  Guarded(this, [&] {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !tagGroup_) return;
    if (THTMLTagDef* def = tagGroup_->FindTag(item->Caption())) InsertTag(def, true);
  });
}

// ---- the palette ------------------------------------------------------------------------

void TfrmEditWin::ScrollBox1Resize(TObject*) {
  // The rows are as wide as the view; a scroll bar that comes or goes changes the view.
  ScrollBox1->UpdateScrollBars();
  for (int i = 0; i < 3 && HTMLBox1->Width() != ScrollBox1->ClientWidth(); ++i) {
    HTMLBox1->SetWidth(ScrollBox1->ClientWidth());
    ScrollBox1->UpdateScrollBars();
  }
}

void TfrmEditWin::HTMLBox1MouseUp(TObject*, TMouseButton Button) {
  Guarded(this, [&] {
    THTMLTagDef* tag = HTMLBox1->SelectedTag();
    if (!tag) return;
    if (Button == mbLeft && tag->Attribs().Count() == 0) {
      TFormPtr<TfrmHelpView> help(CreateForm<TfrmHelpView>(this));
      help->ShowTag(tag);
      if (help->ShowModal() != mrOk) return;
    }
    InsertTag(tag, Button == mbLeft);
  });
}

// ---- clicks on tag names ------------------------------------------------------------------

void TfrmEditWin::EditorWordClick(TObject* Sender, uint16_t, int32_t WordValue, const AnsiString& WordStr, bool&) {
  Guarded(this, [&] {
    auto* ed = dynamic_cast<TxEdit*>(Sender);
    if (!ed || !tagGroup_) return;
    AnsiString word = AnsiUpperCase(WordStr.substr(0, 30));
    AnsiString key = "|" + word + "|";
    if (word.size() < 2) return;
    if (attrTagLookup_.find(key) != AnsiString::npos) {
      THTMLTagDef* def = tagGroup_->FindTag(word.substr(1));
      if (!def) return;
      EditTagAttributes(ed, def, (WordValue & 0xFFFF) + static_cast<int>(word.size()));
    } else if (tagLookup_.find(key) != AnsiString::npos) {
      THTMLTagDef* def = tagGroup_->FindTag(word.substr(1));
      if (!def) return;
      TFormPtr<TfrmHelpView> help(CreateForm<TfrmHelpView>(this));
      help->ShowTag(def);
      help->ShowModal();
    }
  });
}

void TfrmEditWin::EditTagAttributes(TxEdit* ed, THTMLTagDef* Def, int NamePos) {
  ed->UpdateSelection();
  // Both ends on the clicked line, where the caret is.
  const int line = ed->EndLine();
  const AnsiString first = ed->GetLine(line);
  const int startPos = std::min(NamePos, static_cast<int>(first.size()));
  // The attribute text runs to the ">" that closes the tag, on this line or a later one.
  // A tag never closed (an unquoted "<", or the end of the text, comes first) gets ">"
  // after its new attributes, which replace the rest of the line up to any "<".
  TTagEndScanner scan;
  int endLine = line, endPos = static_cast<int>(first.size());
  bool appendClose = true;
  size_t at = 0;
  TTagEndScanner::TResult r = scan.Feed(first, static_cast<size_t>(startPos), at);
  if (r == TTagEndScanner::trClose) {
    endPos = static_cast<int>(at);
    appendClose = false;
  } else if (r == TTagEndScanner::trOpen) {
    endPos = static_cast<int>(at);
  } else {
    const int count = ed->GetLineCount();
    for (int l = line + 1; l <= count; ++l) {
      r = scan.Feed(ed->GetLine(l), 0, at);
      if (r == TTagEndScanner::trNone) continue;
      if (r == TTagEndScanner::trClose) {
        endLine = l;
        endPos = static_cast<int>(at);
        appendClose = false;
      }
      break;
    }
  }
  auto select = [&] {
    ed->SetStartLine(line);
    ed->SetStartPos(startPos);
    ed->SetEndLine(endLine);
    ed->SetEndPos(endPos);
    ed->ApplySelection();
  };
  select();
  AnsiString rest = ed->GetSelLength() > 0 ? ed->SelTextToString() : AnsiString();
  EnterDocumentFolder(ed);
  TFormPtr<TfrmParEd> par(NewAttributeEditor(Def));
  par->ParseAttributes(rest);
  if (par->ShowModal() != mrOk) return;
  AnsiString text = par->BuildAttributes() + (appendClose ? ">" : "");
  // The dialog had the focus: put back exactly the attribute text's selection.
  select();
  ed->ReplaceSelText(text);
}

// ---- files dropped from the explorer list -----------------------------------------------------

void TfrmEditWin::EditorDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
  Accept = dynamic_cast<TFileListBox*>(Source) != nullptr;
}

void TfrmEditWin::EditorDragDrop(TObject* Sender, TObject* Source, int, int) {
  Guarded(this, [&] {
    auto* ed = dynamic_cast<TxEdit*>(Sender);
    auto* list = dynamic_cast<TFileListBox*>(Source);
    TSettings* s = FrameForm ? FrameForm->Settings() : nullptr;
    if (!ed || !list || !s || !tagGroup_ || ed != CurrentEditor()) return;
    AnsiString path = list->FileName();
    if (path.empty()) return;
    const char* name = nullptr;
    const char* attr = nullptr;
    if (IsDocumentFile(path, s->DocFilter())) {
      name = "A";
      attr = " href=";
    } else if (IsDocumentFile(path, s->ImgFilter())) {
      name = "IMG";
      attr = " src=";
    } else {
      return;
    }
    THTMLTagDef* def = tagGroup_->FindTag(name);
    if (!def) return;
    int startLine, startPos, endLine, endPos;
    bool hasSel = OrderedSelection(ed, startLine, startPos, endLine, endPos);
    EnterDocumentFolder(ed);
    AnsiString attrs = AnsiString(attr) + "\"" + RelativeURL(path) + "\"";
    if (def->Attribs().Count() > 0) {
      TFormPtr<TfrmParEd> par(NewAttributeEditor(def));
      par->ParseAttributes(attrs);
      // Cancel still inserts the tag with the prepared address.
      if (par->ShowModal() == mrOk) attrs = par->BuildAttributes();
    }
    WrapSelection(def, attrs, hasSel, startLine, startPos, endLine, endPos);
  });
}

}  // namespace vx

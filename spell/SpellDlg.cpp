#include "spell/SpellDlg.h"

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Notebooks.h"
#include "spell/AutoCorrectFile.h"
#include "spell/Dictionary.h"
#include "spell/EditSources.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

namespace {

const TTypeInfo* TypeInfoDialogTypes() {
  return EnumTypeInfo("TDialogTypes", {"dtWordPerfect", "dtMSWord", "dtWordPro96"});
}
const TTypeInfo* TypeInfoLanguages() { return EnumTypeInfo("TLanguages", {"lgEnglish"}); }
const TTypeInfo* TypeInfoAccentSet() { return SetTypeInfo("TAccentSet", EnumTypeInfo("TAccents", {"acSpanish"})); }

// The core's messages go through the application's message boxes (and so its test seam).
void RouteSpellMessages() {
  SetSpellMessageHook([](const AnsiString& text, TSpellMsgKind kind) -> int {
    switch (kind) {
      case smError: return MessageDlg(text, mtError, {mbOK}, 0);
      case smInformation: return MessageDlg(text, mtInformation, {mbOK}, 0);
      case smConfirmation: return MessageDlg(text, mtConfirmation, {mbYes, mbNo}, 0);
    }
    return kSpellOk;
  });
}

AnsiString ProgramFolder() { return ExtractFilePath(Application->ExeName()); }

const char* const kNoErrors = "No errors found. Spell checking complete...";
const char* const kComplete = "Spell checking complete.";

BOOL CALLBACK DisableWindow(HWND h, LPARAM l) {
  auto* state = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(l);
  if (h != state->first && IsWindowVisible(h) && IsWindowEnabled(h)) {
    EnableWindow(h, FALSE);
    state->second->push_back(h);
  }
  return TRUE;
}

}  // namespace

VX_PUBLISH(TSpellDlg, TComponent) {
  P.Set("AccentIcons", TypeInfoAccentSet(), &TSpellDlg::AccentIcons, &TSpellDlg::SetAccentIcons)
      .Str("AutoCorrectList", &TSpellDlg::AutoCorrectList, &TSpellDlg::SetAutoCorrectList)
      .Bool("AutoShift", &TSpellDlg::AutoShift, &TSpellDlg::SetAutoShift)
      .Bool("AutoSuggest", &TSpellDlg::AutoSuggest, &TSpellDlg::SetAutoSuggest)
      .Bool("ConfirmAdd", &TSpellDlg::ConfirmAdd, &TSpellDlg::SetConfirmAdd)
      .Enum("DialogStyle", TypeInfoDialogTypes(), &TSpellDlg::DialogStyle, &TSpellDlg::SetDialogStyle)
      .Str("DictionaryName", &TSpellDlg::DictionaryName, &TSpellDlg::SetDictionaryName)
      .Str("DictionaryPath", &TSpellDlg::DictionaryPath, &TSpellDlg::SetDictionaryPath)
      .Enum("DictionaryType", TypeInfoLanguages(), &TSpellDlg::DictionaryType, &TSpellDlg::SetDictionaryType)
      .Str("ExclusionList", &TSpellDlg::ExclusionList, &TSpellDlg::SetExclusionList)
      .Object("Font", &TSpellDlg::Font)
      .Bool("ForceModal", &TSpellDlg::ForceModal, &TSpellDlg::SetForceModal)
      .Int("HelpContext", &TSpellDlg::HelpContext, &TSpellDlg::SetHelpContext)
      .Enum("LabelLanguage", TypeInfoLanguages(), &TSpellDlg::LabelLanguage, &TSpellDlg::SetLabelLanguage)
      .Int("Suggestions", &TSpellDlg::Suggestions, &TSpellDlg::SetSuggestions)
      .Bool("ShowCompletedDialog", &TSpellDlg::ShowCompletedDialog, &TSpellDlg::SetShowCompletedDialog)
      .Bool("ShowGlyphs", &TSpellDlg::ShowGlyphs, &TSpellDlg::SetShowGlyphs)
      .Bool("SupportHTML", &TSpellDlg::SupportHTML, &TSpellDlg::SetSupportHTML)
      .Str("UserDictionary", &TSpellDlg::UserDictionary, &TSpellDlg::SetUserDictionary);
}

VX_PUBLISH(TLEditSpellDlg, TSpellDlg) {}

// ---- the component ------------------------------------------------------------------------

TSpellDlg::TSpellDlg(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  RouteSpellMessages();
  font_->SetName("MS Sans Serif");
  font_->SetSize(8);
  font_->SetStyle(TFontStyles{fsBold});
  SetDialogStyle(dtWordPerfect);
  suggestions_ = 10;
}

TSpellDlg::~TSpellDlg() = default;

void TSpellDlg::BeforeDestruction() {
  // A check waiting on this component's stack sees this and touches nothing more.
  life_->alive = false;
  UnwatchControl();
  FreeDictionary();
  if (dialog_) {
    HideDialog();
    dialog_->RemoveFreeNotification(this);
  }
  EnableOtherWindows();
  TComponent::BeforeDestruction();
}

void TSpellDlg::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op != opRemove) return;
  if (c == dialog_) {
    dialog_ = nullptr;
    life_->dialogGone = true;
  }
  if (c == life_->control) {
    life_->control = nullptr;
    life_->controlGone = true;
  }
}

void TSpellDlg::WatchControl(TComponent* control) {
  life_->control = control;
  life_->controlGone = false;
  if (control) control->FreeNotification(this);
}

void TSpellDlg::UnwatchControl() {
  if (life_->control) life_->control->RemoveFreeNotification(this);
  life_->control = nullptr;
}

void TSpellDlg::SetDialogStyle(TDialogTypes style) {
  dialogStyle_ = style;
  if (dialog_) {
    TAbsSpellDialog* old = dialog_;
    old->RemoveFreeNotification(this);
    dialog_ = nullptr;
    old->Free();
  }
  TComponent* owner = Owner() ? Owner() : static_cast<TComponent*>(Application);
  switch (style) {
    case dtWordPerfect: dialog_ = CreateForm<TWPSpellDlg>(owner); break;
    case dtMSWord: dialog_ = CreateForm<TMSSpellDlg>(owner); break;
    case dtWordPro96: dialog_ = CreateForm<TW96SpellDlg>(owner); break;
  }
  life_->dialogGone = false;
  dialog_->FreeNotification(this);
  if (!showGlyphs_) dialog_->RemoveGlyphs();
  dialog_->SetFont(*font_);
  dialog_->SetAccents(accentIcons_);
  dialog_->SetN(suggestions_);
  dialog_->SetHelpContext(helpContext_);
}

void TSpellDlg::SetSuggestions(uint8_t n) {
  if (n == 0) {
    SpellMessage("Invlid number of suggestions.", smInformation);
    n = 1;
  }
  suggestions_ = n;
  if (dialog_) dialog_->SetN(n);
}

void TSpellDlg::SetLabelLanguage(TLanguages l) {
  labelLanguage_ = l;
  if (dialog_) dialog_->SetLabelLanguage(l);
}

void TSpellDlg::SetAccentIcons(TAccentSet a) {
  accentIcons_ = a;
  if (dialog_) dialog_->SetAccents(a);
}

void TSpellDlg::SetHelpContext(int h) {
  helpContext_ = h;
  if (dialog_) dialog_->SetHelpContext(h);
}

void TSpellDlg::SetExclusionList(const AnsiString& s) {
  exclusionList_ = s;
  if (CurrentDictionary) CurrentDictionary->LoadExclusions(s);
}

// ---- the dictionary ---------------------------------------------------------------------

bool TSpellDlg::InitDictionary() {
  if (dictionaryName_.empty()) dictionaryName_ = UpperCase(LanguageTexts(dictionaryType_).name) + ".DCT";
  dictionaryPath_ = AnsiUpperCase(dictionaryPath_);
  if (dictionaryPath_ == "APPLICATIONPATH")
    dictionaryPath_ = ProgramFolder();
  else if (!dictionaryPath_.empty() && dictionaryPath_.back() != '\\')
    dictionaryPath_ += '\\';
  if (!CurrentDictionary) CurrentDictionary = new TDictionary;
  if (!CurrentDictionary->AddMainFile(dictionaryPath_ + dictionaryName_)) {
    FreeDictionary();
    return false;
  }
  CurrentDictionary->LoadCustom(userDictionary_);
  if (!exclusionList_.empty()) CurrentDictionary->LoadExclusions(exclusionList_);
  if (!autoCorrectList_.empty()) LoadAutoCorrectList();
  return true;
}

bool TSpellDlg::OpenDictionary() {
  if (InitDictionary()) return true;
  SpellMessage("Error opening dictionary " + dictionaryPath_ + dictionaryName_, smError);
  CloseDictionary();
  return false;
}

void TSpellDlg::CloseDictionary() {
  if (dialog_) HideDialog();
  FreeDictionary();
}

void TSpellDlg::FreeDictionary() {
  delete CurrentDictionary;
  CurrentDictionary = nullptr;
}

bool TSpellDlg::IsKnownWord(const AnsiString& word) {
  if (!CurrentDictionary) InitDictionary();
  if (!CurrentDictionary) return false;
  return CurrentDictionary->ContainsWritten(word);
}

void TSpellDlg::LoadAutoCorrectList() {
  AnsiString name = autoCorrectList_;
  if (!FileExists(name)) name = dictionaryPath_ + autoCorrectList_;
  if (!FileExists(name)) {
    // Once per name: a missing list is not news at every check.
    if (warnedAutoCorrect_ != autoCorrectList_) {
      warnedAutoCorrect_ = autoCorrectList_;
      SpellMessage(autoCorrectList_ + " file not found.", smError);
    }
    return;
  }
  // The file's pairs are read afresh each time; those Replace All made stay after them.
  fileFrom_.Clear();
  fileTo_.Clear();
  ReadAutoCorrectFile(name, fileFrom_, fileTo_);
  autoFrom_.Assign(fileFrom_);
  autoFrom_.AddStrings(replaceAllFrom_);
  autoTo_.Assign(fileTo_);
  autoTo_.AddStrings(replaceAllTo_);
}

void TSpellDlg::ApplyReplaceAll(const AnsiString& from, const AnsiString& to) {
  replaceAllFrom_.Add(from);
  replaceAllTo_.Add(to);
  autoFrom_.Add(from);
  autoTo_.Add(to);
}

// ---- showing the dialog -------------------------------------------------------------------

void TSpellDlg::ShowDialog() {
  if (!dialog_) return;
  dialog_->SetLeft(Screen->Width() / 2 - dialog_->Width() / 2);
  if (autoShift_) ShiftDialog(10);
  dialog_->Show();
  if (!showGlyphs_) dialog_->RemoveGlyphs();
  dialog_->SetFont(*font_);
}

void TSpellDlg::ShiftDialog(int y) {
  if (y == 0 || !dialog_) return;
  int height = Screen->Height();
  int top = y > height / 2 ? 10 : height - dialog_->Height() - 10;
  int delta = top - dialog_->Top();
  if (delta == 0) return;
  dialog_->SetTop(top);
  // The pointer moves with the dialog, so it stays over the same button.
  POINT p;
  if (GetCursorPos(&p)) SetCursorPos(p.x, p.y + delta);
}

void TSpellDlg::HideDialog() {
  EnableOtherWindows();
  if (!dialog_ || !dialog_->Visible()) return;
  try {
    dialog_->Close();
  } catch (...) {
    // A dialog that fails to close is left to its owner.
  }
}

void TSpellDlg::DisableOtherWindows() {
  disabledWindows_ = std::make_unique<std::vector<HWND>>();
  std::pair<HWND, std::vector<HWND>*> state(dialog_ ? dialog_->Handle() : nullptr, disabledWindows_.get());
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&state));
}

void TSpellDlg::EnableOtherWindows() {
  if (!disabledWindows_) return;
  for (HWND h : *disabledWindows_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
  disabledWindows_.reset();
}

void TSpellDlg::KeepDialogInFront() {
  if (!dialog_ || !dialog_->HandleAllocated() || !Application->Active()) return;
  HWND h = dialog_->Handle();
  if (!IsWindowVisible(h)) ShowWindow(h, SW_SHOWNA);
  // Moved only when another window of the program lies above it: a move that changes
  // nothing would still wake the wait.
  for (HWND above = GetWindow(h, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
    if (IsWindowVisible(above) && FindControl(above)) {
      SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
}

void TSpellDlg::ShowSourcePage(TAbsBuffer& source) {
  if (auto* c = dynamic_cast<TControl*>(source.Control())) ShowControlPage(c);
}

bool TSpellDlg::ShowRunningCheck() {
  if (!life_->checking || !source_ || !dialog_) return false;
  std::shared_ptr<TCheckLife> life = life_;
  ShowSourcePage(*source_);
  if (!life->alive || life->dialogGone || life->controlGone || !source_) return true;
  // The word asked about is selected again unless the text changed under it since.
  if (waiting_ && !source_->GetModified()) source_->SelectWord();
  if (!dialog_->Visible()) ShowDialog();
  dialog_->BringToFront();
  if (waiting_) dialog_->FocusReplacement();
  return true;
}

// ---- the check loop -------------------------------------------------------------------------

int TSpellDlg::WaitForChoice(const std::shared_ptr<TCheckLife>& life) {
  ++waits_;
  waiting_ = true;
  for (;;) {
    if (dialog_->ResultCode() != srWaiting || !dialog_->Visible()) break;
    KeepDialogInFront();
    ++waitPasses_;
    // Handles one message, or sleeps until one arrives.
    Application->HandleMessage();
    if (!life->alive) return srClose;
    if (life->dialogGone || life->controlGone || Application->Terminated()) {
      waiting_ = false;
      return srClose;
    }
  }
  waiting_ = false;
  return dialog_->Visible() ? dialog_->ResultCode() : srClose;
}

TSpellDlg::TAnswer TSpellDlg::AskUser(TAbsBuffer& source, const AnsiString& word, const AnsiString& written,
                                      bool& changed, bool& unchanged) {
  std::shared_ptr<TCheckLife> life = life_;
  auto gone = [&] { return !life->alive || life->dialogGone || life->controlGone; };
  const TSpellLanguageTexts& texts = LanguageTexts(labelLanguage_);
  AnsiString w = LowerCase(word);
  // Shown and added as the document has it, not as the OEM code page would write it.
  const AnsiString& shown = written;
  Screen->SetCursor(crDefault);
  ShowSourcePage(source);
  source.SelectWord();
  if (!dialog_->Visible()) ShowDialog();
  if (autoShift_) ShiftDialog(source.GetWordTop());
  Application->ProcessMessages();
  if (gone()) return TAnswer::Gone;
  dialog_->SetStatus(texts.notFound);
  dialog_->SetBadWord(shown);
  dialog_->SetReplacement(shown);
  Application->ProcessMessages();
  if (gone()) return TAnswer::Gone;
  if (autoSuggest_) {
    dialog_->Suggest();
    if (gone()) return TAnswer::Gone;
  }
  dialog_->SetResultCode(srWaiting);
  dialog_->FocusReplacement();
  int code = WaitForChoice(life);
  if (gone()) return TAnswer::Gone;
  if (code != srClose) {
    // The person may have turned to another page while the dialog asked: the answer is
    // carried out where it can be seen.
    ShowSourcePage(source);
    if (gone()) return TAnswer::Gone;
  }
  switch (code) {
    case srClose: HideDialog(); return TAnswer::Abort;
    case srReplace:
    case srReplaceAll: {
      changed = true;
      unchanged = false;
      AnsiString r = dialog_->GetReplacement();
      // Compared in the dictionary's code page: the edit box is ANSI.
      if (LowerCase(AnsiToOemWord(r)) != w) {
        if (code == srReplaceAll) ApplyReplaceAll(w, r);
        source.ReplaceWord(r);
        dialog_->SetReplacement("");
      }
      break;
    }
    case srAdd: {
      if (IsKnownWord(written)) {
        SpellMessage(Format(texts.alreadyInDictionary, shown.c_str()), smInformation);
      } else {
        bool add =
            !confirmAdd_ || SpellMessage(Format(texts.addToDictionary, shown.c_str()), smConfirmation) == kSpellYes;
        if (gone()) return TAnswer::Gone;
        if (add && CurrentDictionary) CurrentDictionary->AddWrittenWord(written);
      }
      if (gone()) return TAnswer::Gone;
      dialog_->FocusReplacement();
      break;
    }
    case srSkip: break;
    case srSkipAll: skipAll_.Add(w); break;
    default: break;
  }
  return TAnswer::Next;
}

int TSpellDlg::CheckBuffer(TAbsBuffer& source) {
  std::shared_ptr<TCheckLife> life = life_;
  auto gone = [&] { return !life->alive || life->dialogGone || life->controlGone; };
  bool remembered = source.GetModified();
  source.SetModified(false);
  source.SetSkipMarkup(supportHTML_);
  bool changed = false, unchanged = true, finished = false;
  int longWords = source.LongWords();
  life->checking = true;
  // However the check ends (an exception, a closed document), the user gets the program
  // back: other windows enabled, the normal cursor, the dialog hidden, the document's
  // modified flag, the custom words saved. A component that went away is not touched.
  source_ = &source;
  auto restore = OnScopeExit([&] {
    if (!life->alive) return;
    life->checking = false;
    source_ = nullptr;
    Screen->SetCursor(crDefault);
    if (finished) return;
    if (!life->controlGone) source.SetModified(changed || remembered);
    HideDialog();
    try {
      if (CurrentDictionary) CurrentDictionary->SaveCustom();
    } catch (...) {
      // Ending by an exception already: that one is the one reported.
    }
  });
  if (!OpenDictionary()) {
    source.SetModified(remembered);
    finished = true;
    return scAborted;
  }
  dialog_->HandleNeeded();
  if (forceModal_ && !disabledWindows_) DisableOtherWindows();
  ShowDialog();
  dialog_->SetResultCode(srWaiting);
  dialog_->ClearSuggestions();
  const TSpellLanguageTexts& texts = LanguageTexts(labelLanguage_);
  // No word is read yet: the designed placeholder is not one.
  dialog_->SetBadWord("");
  dialog_->SetReplacement("");
  auto showFound = [&](const AnsiString& written) {
    dialog_->SetStatus(texts.wordFound);
    dialog_->SetBadWord(written);
    dialog_->SetReplacement(written);
  };
  // The last known word read but not yet shown, shown when the check ends.
  AnsiString unshown;
  bool aborted = false;
  for (;;) {
    Application->ProcessMessages();
    if (gone()) return scAborted;
    if (Application->Terminated()) {
      aborted = true;
      break;
    }
    Screen->SetCursor(crHourGlass);
    if (source.GetModified()) {
      // Edited meanwhile: read again, back to the start of the word the position is in.
      changed = true;
      source.Load();
      source.BackUp();
      source.SetModified(false);
    }
    AnsiString word = CutWord(source.NextWord());
    if (gone()) return scAborted;  // an over-long word's message box let messages through
    if (word.empty()) break;
    AnsiString written = CutWord(source.WrittenWord());
    if (word.size() > 1 && !source.AllDigits() && !IsKnownWord(written)) {
      AnsiString w = LowerCase(word);
      int k = autoFrom_.IndexOf(w);
      if (k >= 0) {
        source.SelectWord();
        source.ReplaceWord(autoTo_[k]);
      } else if (skipAll_.IndexOf(w) < 0) {
        unshown.clear();  // the dialog shows this word now
        TAnswer a = AskUser(source, word, written, changed, unchanged);
        if (a == TAnswer::Gone) return scAborted;
        if (a == TAnswer::Abort) {
          aborted = true;
          break;
        }
      }
      dialog_->ClearSuggestions();
    } else if (GetTickCount() - lastShown_ >= 40) {
      // The word being scanned, at a pace the eye can follow: redrawing the dialog for
      // every known word would make the check many times slower than reading it.
      lastShown_ = GetTickCount();
      showFound(written);
      unshown.clear();
    } else {
      unshown = written;
    }
    Application->ProcessMessages();
    if (gone()) return scAborted;
    // Closed while words were being scanned (or auto-corrected): the check ends here.
    if (dialog_->ResultCode() == srClose || !dialog_->Visible()) {
      HideDialog();
      aborted = true;
      break;
    }
  }
  if (!aborted && !unshown.empty()) showFound(unshown);
  Screen->SetCursor(crDefault);
  source.SetModified(changed || remembered);
  if (CurrentDictionary) CurrentDictionary->SaveCustom();
  finished = true;
  int result = scAborted;
  AnsiString message;
  if (!aborted && unchanged) {
    result = scFinished;
    // A word too long to check was announced: that is not "no errors".
    message = source.LongWords() > longWords ? kComplete : kNoErrors;
  } else if (!aborted) {
    result = scChanged;
    message = kComplete;
  }
  if (!completionMessages_) return result;
  // The dialog goes before the closing message: the last word must not stand behind it.
  HideDialog();
  if (showCompletedDialog_ && !message.empty()) {
    // The message speaks of the text checked: that is the one on screen.
    ShowSourcePage(source);
    if (gone()) return result;
    SpellMessage(message, smInformation);
  }
  if (!life->alive) return result;
  // The quit request the wait took from the queue is put back for the program's loop.
  if (Application->Terminated()) PostQuitMessage(0);
  return result;
}

// ---- checking controls ------------------------------------------------------------------------

int TSpellDlg::SpellCheck(TControl* control) {
  auto* edit = dynamic_cast<TCustomEdit*>(control);
  if (!edit) {
    SpellMessage("Error : Unknown control.", smError);
    return scFinished;
  }
  // A second check from within the wait (the command chosen again) would share the dialog.
  if (life_->checking) return scAborted;
  std::shared_ptr<TCheckLife> life = life_;
  int selStart = edit->SelStart(), selLength = edit->SelLength();
  bool hide = edit->HideSelection();
  edit->SetHideSelection(false);
  WatchControl(edit);
  auto restore = OnScopeExit([&] {
    if (!life->alive) return;
    bool there = !life->controlGone;
    UnwatchControl();
    if (!there) return;
    edit->SetHideSelection(hide);
    edit->SetSelStart(selStart);
    edit->SetSelLength(selLength);
  });
  TCEBuffer source(edit);
  return CheckBuffer(source);
}

int TLEditSpellDlg::SpellCheck(TControl* control) {
  auto* ed = dynamic_cast<TLEdit*>(control);
  if (!ed) return scFinished;
  if (life_->checking) return scAborted;
  std::shared_ptr<TCheckLife> life = life_;
  ed->UpdateSelection();
  int startPos = ed->StartPos(), endPos = ed->EndPos(), startLine = ed->StartLine(), endLine = ed->EndLine();
  ed->SetStartPos(0);
  ed->SetEndPos(0);
  ed->SetStartLine(0);
  ed->SetEndLine(0);
  ed->BeginScan();
  WatchControl(ed);
  // The user's selection comes back however the check ends, unless the document closed.
  auto restore = OnScopeExit([&] {
    if (!life->alive) return;
    bool there = !life->controlGone;
    UnwatchControl();
    if (!there) return;
    ed->SetStartPos(startPos);
    ed->SetEndPos(endPos);
    ed->SetStartLine(startLine);
    ed->SetEndLine(endLine);
    ed->ApplySelection();
  });
  TLEditBuffer source(ed);
  return CheckBuffer(source);
}

int TSpellDlg::CheckFields(TComponent* owner, bool showMessage, bool editors) {
  OpenDictionary();
  std::shared_ptr<TCheckLife> life = life_;
  completionMessages_ = false;
  auto restore = OnScopeExit([&] {
    if (!life->alive) return;
    completionMessages_ = true;
    if (dialog_ && dialog_->Visible()) HideDialog();
  });
  int result = scFinished;
  bool anyChanged = false;
  for (int i = 0; owner && i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (!dynamic_cast<TCustomEdit*>(c) && !(editors && dynamic_cast<TLEdit*>(c))) continue;
    result = SpellCheck(static_cast<TControl*>(c));
    if (!life->alive) return scAborted;
    if (result == scChanged) anyChanged = true;
    if (result == scAborted) break;
  }
  CloseDictionary();
  if (result == scFinished && anyChanged) result = scChanged;
  if (showMessage && result != scAborted) SpellMessage(result == scFinished ? kNoErrors : kComplete, smInformation);
  return result;
}

int TSpellDlg::CheckAllFields(TComponent* owner, bool showMessage) { return CheckFields(owner, showMessage, false); }

int TLEditSpellDlg::CheckAllFields(TComponent* owner, bool showMessage) {
  return CheckFields(owner, showMessage, true);
}

// ---- counting, typing, pages ---------------------------------------------------------------------

namespace {
void CountWithWindow(TAbsBuffer& source, int& count, int& distinct) {
  TWordForm* form = TWordForm::Instance();
  if (!form->Visible()) form->Show();
  source.WordCount(count, distinct, [form](int c, int d) {
    form->lblWords->SetCaption(IntToStr(c));
    form->lblUniqueWords->SetCaption(IntToStr(d));
    Application->ProcessMessages();
    return TWordForm::Current() == form && form->Visible() && !Application->Terminated();
  });
}
}  // namespace

void TSpellDlg::WordCount(TControl* control, int& count, int& distinct) {
  count = distinct = 0;
  auto* edit = dynamic_cast<TCustomEdit*>(control);
  if (!edit) return;
  TCEBuffer source(edit);
  CountWithWindow(source, count, distinct);
}

void TLEditSpellDlg::WordCount(TControl* control, int& count, int& distinct) {
  auto* ed = dynamic_cast<TLEdit*>(control);
  if (!ed) {
    TSpellDlg::WordCount(control, count, distinct);
    return;
  }
  count = distinct = 0;
  TLEditBuffer source(ed);
  CountWithWindow(source, count, distinct);
}

void TSpellDlg::WordMisspelled(TCustomEdit*, const AnsiString&, int) {}

bool TSpellDlg::GetWordBeforeCaret(TCustomEdit* edit, int& start, AnsiString& word) {
  AnsiString text = edit->Text();
  // Word characters are told apart in the OEM code page, as the scanner does.
  AnsiString oem = AnsiToOemWord(text);
  int i = edit->SelStart();
  if (i > static_cast<int>(text.size())) i = static_cast<int>(text.size());
  if (i < 0) i = 0;
  while (i > 0 && !IsWordChar(static_cast<uint8_t>(oem[static_cast<size_t>(i) - 1]))) --i;
  int end = i;
  while (i > 0 && IsWordChar(static_cast<uint8_t>(oem[static_cast<size_t>(i) - 1]))) --i;
  if (i == end) return false;
  start = i;
  word = text.substr(static_cast<size_t>(i), static_cast<size_t>(end - i));
  return true;
}

void TSpellDlg::CheckTyping(TCustomEdit* edit, bool autoCorrect, WORD key) {
  if (!CurrentDictionary) InitDictionary();
  if (key != VK_RETURN && key != VK_SPACE) return;
  int start = 0;
  AnsiString word;
  if (!GetWordBeforeCaret(edit, start, word)) return;
  AnsiString oem = AnsiToOemWord(word);
  int k = autoCorrect ? autoFrom_.IndexOf(oem) : -1;
  if (k >= 0) {
    int selStart = edit->SelStart(), selLength = edit->SelLength();
    AnsiString to = autoTo_[k];
    edit->SetSelStart(start);
    edit->SetSelLength(static_cast<int>(word.size()));
    edit->SetSelText(to);
    edit->SetSelStart(selStart + static_cast<int>(to.size()) - static_cast<int>(word.size()));
    edit->SetSelLength(selLength);
  } else if (!IsKnownWord(word)) {
    WordMisspelled(edit, word, start);
  }
}

void TSpellDlg::ShowControlPage(TControl* control) {
  if (!control) return;
  for (TWinControl* p = control->Parent(); p; p = p->Parent()) {
    if (p->HandleAllocated() && IsWindowVisible(p->Handle())) break;
    if (auto* tab = dynamic_cast<TTabPage*>(p))
      tab->Notebook()->SetActivePage(tab->Caption());
    else if (auto* page = dynamic_cast<TNotebookPage*>(p))
      page->Notebook()->SetActivePage(page->Caption());
  }
}

}  // namespace vx

// State of one LEDIT32 window and the pieces of the window layer that share it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/win/GdiScoped.h"
#include "ledit/include/LEditMessages.h"
#include "ledit/core/Document.h"
#include "ledit/core/Layout.h"
#include "ledit/core/Lexer.h"
#include "ledit/core/View.h"

namespace ledit {

constexpr int kLeftMargin = 2;

struct Editor;
// The row breaks of a line and the window's height in rows, for the view (LEditWindow.cpp).
std::vector<int> WrapRows(Editor& e, int line);
int WindowRows(const Editor& e);

struct Editor {
  HWND hwnd = nullptr;
  HWND callback = nullptr;   // where call-backs go (the window itself, subclassed)
  bool initialized = false;  // nothing is sent before LEM_INIT

  Document doc;
  Lexer lexer;
  LexCache lexCache;
  Layout layout;
  View view{doc, [this](int line) { return WrapRows(*this, line); }, [this] { return WindowRows(*this); }};
  std::vector<std::pair<uint8_t, uint8_t>> table;
  uint8_t syntaxFlags = 0;

  HFONT font = nullptr;     // given by WM_SETFONT, never deleted here
  HFONT ownFont = nullptr;  // chosen in the window's own font dialog
  int lineHeight = 16, ascent = 12;
  int hSpace = 0, vSpace = 0;  // codes 0-3
  int rightMargin = 0;         // in average character widths
  int scrollCode = 0;          // 0 none, 1 horizontal, 2 vertical, 3 both
  unsigned options = 0;
  bool highlight = false, paintMode = false, readOnly = false, hasFile = false;
  bool insertMode = true;
  int caretWidth = 0;
  int wrapFlags = 0, wrapWidth = 0;

  int hscroll = 0;
  int vbar[3] = {-1, -1, -1}, hbar[3] = {-1, -1, -1};  // scroll bar values last set
  int preferredX = -1;
  std::string fileName, fileMask, searchText, replaceText;
  bool matchCase = false, wholeWord = false, searchBack = false;
  HMENU menu = nullptr, fileMenu = nullptr, fontMenu = nullptr;
  HWND group = nullptr;
  bool hasFocus = false, caretShown = false;
  bool dragging = false, dragMoved = false, plainClick = false, suppressClick = false;

  // What the owner was last told, to send LEN_CHANGE and scroll codes on every change.
  uint64_t seenVersion = 0;
  Pos seenAnchor, seenCaret;
  int seenTop = 0, seenSkip = 0, seenH = 0;
  int dirtyFirst = -1;  // first line changed since the last sync
  int dirtyLast = -1;
  bool dirtyToEnd = false;  // line count changed: everything below moves
  Pos paintedSelStart, paintedSelEnd;
  vx::TOwnedBitmap backBuffer;  // kept between paints, remade when the size changes
  int backBufferW = 0, backBufferH = 0;
};

Editor* EditorOf(HWND hwnd);

// Window layer (LEditWindow.cpp).
void Notify(Editor& e, int code);
void Sync(Editor& e);
void EnsureCaretVisible(Editor& e);
void UpdateScrollBars(Editor& e);
void UpdateCaret(Editor& e);
void ResetView(Editor& e);
bool Wrapping(const Editor& e);
int RowCount(Editor& e, int line);
std::vector<int> Rows(Editor& e, int line);
int VisibleRows(Editor& e);
void ResetRows(Editor& e);
bool EditAllowed(Editor& e);
bool ReplaceSel(Editor& e, std::string_view text, EditKind kind = EditKind::Other);

// Painting and measuring (LEditPaint.cpp).
void Measure(Editor& e);
void Paint(Editor& e, HDC dc, const RECT& clip, bool offscreen);
bool TokenAt(Editor& e, Pos p, LEToken& tok);

// Files, clipboard, menus and commands (LEditCommands.cpp).
int LoadFile(Editor& e, const std::string& path);
int SaveFile(Editor& e, const std::string& path);
void CopySel(Editor& e);
void CutSel(Editor& e);
void Paste(Editor& e);
void BuildMenu(Editor& e, DWORD style);
void DestroyMenus(Editor& e);
void ShowContextMenu(Editor& e, int x, int y);
void Command(Editor& e, int id);
void SetSyntax(Editor& e, int count, int flags, const LESyntaxEntry* entries);
void ApplyLexOptions(Editor& e);
void SetSearchText(Editor& e, const std::string& text, bool toGroup);
bool FindNext(Editor& e, bool quiet);
bool ReplaceOnce(Editor& e);
int ReplaceAll(Editor& e);

// Dialogs (LEditDialogs.cpp).
bool FindDialog(Editor& e);
void ReplaceDialog(Editor& e);
int MessageBoxOf(Editor& e, const std::string& text, const char* caption, UINT flags);

// Printing (LEditPrint.cpp).
void Print(Editor& e);

// Groups (LEditGroup.cpp).
bool RegisterGroupClass(HINSTANCE inst);
void LeaveGroup(HWND editor);
std::vector<HWND> GroupMembers(HWND group);

}  // namespace ledit

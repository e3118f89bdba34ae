/* Message protocol between the editor control component and the LEDIT32 window.
   Both sides include this one header so that the numbers and record layouts
   cannot drift apart. Plain C/C++; "+N" messages are WM_USER + N. */
#ifndef LEDITMESSAGES_H
#define LEDITMESSAGES_H

#include <windows.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Ordinal 100 of LEDIT32.DLL: registers both window classes (also done when the
   library loads); importing it binds the library at load time. Answers 1. */
int WINAPI LEditInit(void);

/* clang-format off */
/* Window classes of LEDIT32.DLL. */
#define LEDIT_CLASS       "LEDIT32"
#define LEDIT_GROUP_CLASS "LEditGroup32"

/* Messages to the editor window (wParam / lParam as noted). */
#define LEM_GETSELECTION     (WM_USER + 0)   /* 0 / LESelRecord*: window writes its selection */
#define LEM_SETSELECTION     (WM_USER + 1)   /* 0 / LESelRecord*: record becomes the selection */
#define LEM_GETSELLENGTH     (WM_USER + 2)   /* -> length of the selected text, CR LF counted as 2 */
#define LEM_GETSELTEXT       (WM_USER + 3)   /* 0 / buffer of length + 1 */
#define LEM_LOADFILE         (WM_USER + 4)   /* 0 / path -> 0 success, otherwise an error code
                                                (LEN_FILEERROR sent; a line over LE_MAX_COLUMNS:
                                                refused with a message and LEN_MAXLINE) */
#define LEM_SAVEFILE         (WM_USER + 5)   /* 0 / path -> 0 success, otherwise an error code;
                                                CR LF, LF with LEO_UNIXSTYLESAVE, CR with LEO_MACSTYLESAVE
                                                (LF when both); through a temporary file */
#define LEM_SETFILEMASK      (WM_USER + 6)   /* 0 / "/" form of the file mask (<= 255 chars) */
#define LEM_SETINSERTMODE    (WM_USER + 7)   /* 1 insert, 0 overwrite */
#define LEM_GETMODIFIED      (WM_USER + 8)   /* mask (0 = all bits) -> non-zero when modified */
#define LEM_SETMODIFIED      (WM_USER + 9)   /* 1 set / 0 clear, lParam mask (0 = all bits) */
#define LEM_GETLINECOUNT     (WM_USER + 10)  /* -> number of lines, at least 1 */
#define LEM_INIT             (WM_USER + 12)  /* 1000 / call-back window: initialisation finished */
#define LEM_GETMENU          (WM_USER + 13)  /* 2 -> HMENU of the context menu */
#define LEM_GETFIRSTVISIBLEPOS (WM_USER + 14) /* -> first visible column */
#define LEM_GETFILENAME      (WM_USER + 15)  /* 0 / 2048-byte buffer */
#define LEM_GETLINELENGTH    (WM_USER + 17)  /* 0 / line (from 1) -> length, 0 out of range */
#define LEM_REPLACESEL       (WM_USER + 18)  /* 0 / text: replaces the selection */
#define LEM_SURROUNDSEL      (WM_USER + 19)  /* text before / text after the selection, one undo
                                                step; the caret goes after both -> non-zero when
                                                done, 0 (nothing changed) when a line would pass
                                                LE_MAX_COLUMNS (a beep and LEN_MAXLINE) */
#define LEM_GETLINE          (WM_USER + 20)  /* line or 0 (line in the buffer's first 4 bytes) / buffer */
#define LEM_CANUNDO          (WM_USER + 22)  /* 0 undo, 1 redo -> non-zero when possible */
#define LEM_UNDO             (WM_USER + 23)  /* 0 undo, 1 redo */
#define LEM_SETTABSTOP       (WM_USER + 27)  /* 1..40 columns */
#define LEM_SETSYNTAX        (WM_USER + 28)  /* count | flags << 8 / LESyntaxEntry* or NULL */
#define LEM_GETFIRSTVISIBLELINE (WM_USER + 30)
#define LEM_SETREADONLY      (WM_USER + 31)  /* 1 / 0 */
#define LEM_SETUNDODEPTH     (WM_USER + 32)  /* depth, 16-bit signed */
#define LEM_GETMAXUNDODEPTH  (WM_USER + 33)  /* -> limit (32000) */
#define LEM_BEGINSCAN        (WM_USER + 35)
#define LEM_GROUPPROBE       (WM_USER + 42)  /* 0 / LE_GROUP_PROBE -> LE_GROUP_ANSWER from a group window */
#define LEM_SETOPTIONS       (WM_USER + 43)  /* bits on / bits off (LEO_ values) */
#define LEM_SELCOLORS        (WM_USER + 45)  /* call-back: DC / 0 */
#define LEM_HIGHLIGHT        (WM_USER + 46)  /* call-back: DC / LEToken* */
#define LEM_PAINT            (WM_USER + 47)  /* call-back: DC / 0 -> 0 or HBITMAP */
#define LEM_FINDBRACE        (WM_USER + 48)  /* call-back: 0 / LEToken* (writable) */
#define LEM_WORDCLICK        (WM_USER + 49)  /* call-back: 0 / LEToken* -> 1 handled */
#define LEM_SETBOOKMARK      (WM_USER + 57)  /* index / line */
#define LEM_GETBOOKMARK      (WM_USER + 58)  /* index -> line, 0 unset */
#define LEM_GROUPJOIN        (WM_USER + 60)  /* to a group window: editor HWND / 0 */
#define LEM_SETSPACING       (WM_USER + 61)  /* 0 / packed spacing word */
#define LEM_GETSPACING       (WM_USER + 62)
#define LEM_SETHIGHLIGHT     (WM_USER + 63)  /* 1 / 0 */
#define LEM_SETPAINTMODE     (WM_USER + 64)  /* 1 / 0 */
#define LEM_SETHASFILE       (WM_USER + 65)  /* 1 / 0 */
#define LEM_SETSEARCHTEXT    (WM_USER + 66)  /* 0 / text (<= 125 chars) */
#define LEM_SETTEXT          (WM_USER + 71)  /* 1 / whole text */
#define LEM_GETTEXT          (WM_USER + 72)  /* 1 / buffer of length + 1 */
#define LEM_GETTEXTLENGTH    (WM_USER + 73)  /* 1 -> byte count of LEM_GETTEXT without the NUL */
#define LEM_SETBOOKMARKSMAX  (WM_USER + 78)  /* 1..256 */
#define LEM_SETWORDWRAP      (WM_USER + 79)  /* LEWW_ flags / width in columns */
#define LEM_WORDBREAK        (WM_USER + 80)  /* call-back: max chars (low word) / rest of line -> chars on row */
#define LEM_PRINTPAGE        (WM_USER + 83)  /* call-back: printer DC / MAKELONG(height, width) -> MAKELONG(header, footer) */
#define LEM_SETCARETWIDTH    (WM_USER + 87)  /* pixels, 0 = system default */
#define LEM_SETTOPLINE       (WM_USER + 88)  /* skip / line */
#define LEM_SETFIRSTVISIBLEPOS (WM_USER + 89) /* column */
#define LEM_GETSKIP          (WM_USER + 90)
#define LEM_NOTIFYFOUND      (WM_USER + 98)  /* call-back: 0 / LENF_ code -> 0 default message */

/* Absolute messages (below WM_USER) carrying the insert mode to the component. */
#define LEM_INSERTMODE_ON    800
#define LEM_INSERTMODE_OFF   801

/* Group probe. */
#define LE_GROUP_PROBE   11223344
#define LE_GROUP_ANSWER  11223346

/* Notification codes: high word of the WM_COMMAND wParam sent to the parent. */
#define LEN_SETFOCUS       256
#define LEN_KILLFOCUS      512
#define LEN_CHANGE         768
#define LEN_INSERTMODE     800
#define LEN_OVERWRITEMODE  801
#define LEN_NEWFILE        1024
#define LEN_NEWFONT        1025
#define LEN_SPACEERROR     1280
#define LEN_MAXLINE        1281
#define LEN_FILEERROR      1500
#define LEN_CLIPBOARDERROR 1501
#define LEN_HSCROLL        1537
#define LEN_VSCROLL        1538
#define LEN_GOINGTOCLOSE   2048
#define LEN_ASKIFSTORE     2049

/* Commands (WM_COMMAND with lParam 0) handled by the window itself. */
#define LECMD_NEW          1001
#define LECMD_OPEN         1002
#define LECMD_SAVEAS       1003
#define LECMD_SAVE         1004
#define LECMD_PRINT        1006
#define LECMD_UNDO         1011
#define LECMD_REDO         1012
#define LECMD_CUT          1013
#define LECMD_COPY         1014
#define LECMD_PASTE        1015
#define LECMD_DELETE       1016
#define LECMD_SELECTALL    1017
#define LECMD_FIND         1021
#define LECMD_FINDNEXT     1022
#define LECMD_REPLACE      1023
#define LECMD_MATCHBRACE   1024
#define LECMD_WORDWRAP     1025
#define LECMD_HIGHLIGHT    1026
#define LECMD_FONT         1031

/* Context menu positions. */
#define LEMENU_FILE   0
#define LEMENU_EDIT   1
#define LEMENU_SEARCH 2
#define LEMENU_FONT   3

/* Style bits (low word of the window style). */
#define LES_ALWAYS        0x0001
#define LES_CHANGEFONT    0x0008
#define LES_CHANGEFILE    0x0010
#define LES_HIGHLIGHT     0x0200
#define LES_PAINTMODE     0x0400
#define LES_READONLY      0x0800
#define LES_HSPACE_SHIFT  12   /* bits 12-13: horizontal spacing 0-3 */
#define LES_VSPACE_SHIFT  14   /* bits 14-15: vertical spacing 0-3 */

/* Option bits of LEM_SETOPTIONS. */
#define LEO_DEFAULTSELECTION  0x0001
#define LEO_AUTOINDENT        0x0002
#define LEO_MULTILINEITEMS    0x0004
#define LEO_CURRENTWORDASTEXT 0x0008
#define LEO_UNIXSTYLESAVE     0x0010
#define LEO_MACSTYLESAVE      0x0080
#define LEO_STARTINCOMMENTS   0x0100
#define LEO_SINGLELINESTRINGS 0x0200
#define LEO_MULTILINESTRINGS  0x0400
#define LEO_NOPRINTDIALOG     0x0800
#define LEO_NOPRINTPROGRESS   0x1000
#define LEO_WRAPKEYS          0x2000

/* Word-wrap flags of LEM_SETWORDWRAP. */
#define LEWW_ON    1
#define LEWW_WIDTH 2
#define LEWW_AUTO  4

/* Syntax flags (high byte of LEM_SETSYNTAX's wParam). */
#define LESF_ITEM2ASCOMMENT 1
#define LESF_EXTRACOMMENTS  2

/* Token types reported in LEToken. */
#define LET_WORD           0x0001
#define LET_COMMENT        0x1001
#define LET_STRING         0x2001
#define LET_COMMENTPIECE   0x5001
#define LET_STRINGPIECE    0x6001
#define LET_SYMBOL         0x8000

/* LEM_NOTIFYFOUND codes. */
#define LENF_NOTFOUND    1
#define LENF_WRAPPED     2
#define LENF_REPLACEDALL 3

/* LEM_FINDBRACE answers. */
#define LEFB_DEFAULT     0
#define LEFB_CLOSE       1  /* search backwards */
#define LEFB_OPEN        2  /* search forwards */
#define LEFB_CLOSEBLOCK  5
#define LEFB_OPENBLOCK   6

#define LE_TOKEN_TEXT  1024  /* text buffer of a token, at most 1023 characters */
#define LE_MAX_COLUMNS 32767 /* longest line the window edits */
#define LE_MAX_UNDO    32000
#define LE_FILENAME_BUF 2048

#pragma pack(push, 1)
/* Selection: start = anchor, end = caret; columns from 0, lines from 1. */
typedef struct LESelRecord {
  short StartPos;
  short EndPos;
  int StartLine;
  int EndLine;
} LESelRecord;

/* Token passed in the call-backs; Value's low 16 bits hold the start column. */
typedef struct LEToken {
  int Reserved;
  unsigned short Type;
  int Value;
  char Text[LE_TOKEN_TEXT];
} LEToken;

typedef struct LESyntaxEntry {
  unsigned char First;
  unsigned char Second;
} LESyntaxEntry;
#pragma pack(pop)
/* clang-format on */

#ifdef __cplusplus
}
static_assert(sizeof(LESelRecord) == 12, "selection record is 12 bytes");
static_assert(offsetof(LEToken, Type) == 4 && offsetof(LEToken, Value) == 6 && offsetof(LEToken, Text) == 10,
              "token layout");
static_assert(sizeof(LESyntaxEntry) == 2, "syntax entry is 2 bytes");
#endif

#endif

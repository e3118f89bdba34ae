// A frame document as read: its sets and frames, with the limits that keep any document
// from asking for more frames than can be shown. Portable, so tested natively and fuzzed;
// the frame viewer makes its panels from what is read here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "viewer/FrameSizes.h"
#include "viewer/ReadHTML.h"

namespace vx {

// Sets nested deeper than this inside one document are read past.
constexpr int kMaxFrameSetNesting = 100;
// Every frame or set costs windows: a set shows at most this many pieces, and the pieces of
// all the documents of one frame viewer together at most kMaxFramesInAll. What is left out
// is counted, and a note takes the place of the set's last piece.
constexpr int kMaxFramesPerSet = 32;
constexpr int kMaxFramesInAll = 128;

struct TFrameSetSpec;

// One piece of a set: a FRAME, a nested FRAMESET, or the note of what was left out.
struct TFramePiece {
  std::string Name, Source;
  bool NoResize = false, NoScroll = false;
  std::unique_ptr<TFrameSetSpec> Set;  // a FRAMESET of the same document
  int Omitted = 0;                     // > 0: the note for this many pieces left out
  bool Note() const { return Omitted > 0; }
};

struct TFrameSetSpec {
  bool OnRows = false;       // ROWS given; else COLS (or neither)
  std::vector<int> Entries;  // as many as Pieces once finished
  std::vector<TFramePiece> Pieces;
};

struct TFrameDocument {
  THtmlDocInfo Info;
  bool Started = false;  // a FRAMESET was met (even when the read then failed)
  bool Found = false;    // a FRAMESET came before any body content and was read
  TFrameSetSpec Root;
  int Pieces = 0;  // frames and sets made, notes and padding frames included
};

// The frame document of a file or of memory. budget: the pieces the document may still
// add (kMaxFramesInAll less what the viewer shows already). Parse errors reach the caller,
// the document holding what was read before them. The file variant raises EFOpenError for
// a file that cannot be opened.
void ReadFrameDocumentFile(const std::string& fileName, TFrameDocument& doc, int budget = kMaxFramesInAll);
void ReadFrameDocumentMemory(const char* buffer, size_t length, TFrameDocument& doc, int budget = kMaxFramesInAll);
// Whether a FRAMESET comes before any body content; false on a parse error.
bool IsFramesetDocument(const std::string& fileName);
// The text of the note that stands for pieces left out.
std::string OmittedFramesNote(int omitted);

}  // namespace vx

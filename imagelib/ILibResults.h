// Result codes of the image reader, shared by the library's portable decoder and its entries.
#pragma once

// Results: 1 or more is success, 0 or less failure.
enum : int {
  ilOk = 1,
  ilFailed = 0,      // not readable: missing, corrupt, truncated, or not of this kind
  ilCancelled = -1,  // the progress call-back asked to stop
  ilBadArguments = -2,
  ilTooLarge = -3,     // dimensions or file size beyond what the reader accepts
  ilNoResources = -4,  // memory or GDI objects could not be had
};

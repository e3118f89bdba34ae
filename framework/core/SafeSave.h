// Saving a data file without ever destroying the previous one.
#pragma once

#include <functional>

#include "framework/core/Object.h"
#include "framework/core/Streams.h"

namespace vx {

// Writes through `write` into a temporary file in the same folder, flushes it to the disk
// and only then puts it in place of fileName in one rename (TSaveFiles), so that the name
// holds the whole old file or the whole new one at every moment. Any failure removes the
// temporary file, leaves a previous fileName as it was and throws: EFCreateError "Cannot
// create file %s" (with fileName) when the temporary file cannot be made or cannot
// replace the file, EWriteError "Stream write error - <fileName>" (": the disk is full"
// added when the system says so) when writing or flushing fails, or whatever `write`
// throws.
void SaveFileSafely(const AnsiString& fileName, const std::function<void(TStream&)>& write);

}  // namespace vx

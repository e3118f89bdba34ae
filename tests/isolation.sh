#!/usr/bin/env bash
# Two runs of one test program, one after the other: what the first leaves in its Wine
# session (registry, INI file, program folder) the second must not see.
set -u
emulator=$1 prog=$2
"$emulator" "$prog" --gtest_brief=1 --gtest_filter=HarnessIsolation.LeaveMarks || exit 1
"$emulator" "$prog" --gtest_brief=1 --gtest_filter=HarnessIsolation.SeeNoMarks

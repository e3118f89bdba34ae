#!/bin/sh
# start DIR: mounts a tiny file system on DIR for the tests that save to a full disk;
# stop DIR: unmounts it. Where mounting is not allowed nothing happens, and those tests skip.
case "$1" in
  start)
    mkdir -p "$2"
    mountpoint -q "$2" || mount -t tmpfs -o size=16k vxsmalldisk "$2" 2>/dev/null || true ;;
  stop)
    if mountpoint -q "$2"; then umount "$2" 2>/dev/null || umount -l "$2" 2>/dev/null; fi ;;
esac
exit 0

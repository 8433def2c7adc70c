#pragma once

// Blocks of 128 KiB and more (the log's text as it grows, the log file's
// bytes at each write) are mapped on their own and given back to the system
// when freed. Left to itself the C library raises that bound to the largest
// block freed so far, and from then on the growing log's blocks come from
// its heaps, whose holes only add up over a long run. Called once at start.
void giveLargeBlocksBack();

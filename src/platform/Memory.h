#pragma once

// Every edit of a plan takes a whole copy of the network for undo and drops
// the oldest one; with tens of thousands of works that is many megabytes
// freed and taken again each time. Keeping freed memory in the process
// instead of giving it back to the system at once spares the page faults of
// taking it again. Called once at program start.
void TuneAllocatorForLargePlans();

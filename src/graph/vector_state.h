#pragma once
// Code built for the wider vector units (Qt's raster fills among it) may
// leave the upper halves of the vector registers in use. On some processors
// every plain SSE instruction after that waits on them, which makes a tight
// loop over a million points several times slower.

// Marks the upper halves unused where the processor has them; nothing elsewhere.
void clearUpperVectorState();

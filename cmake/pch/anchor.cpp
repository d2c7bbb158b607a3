// Builds the shared precompiled headers.

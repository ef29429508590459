// The source the precompiled headers are made for; it has no code of its own.

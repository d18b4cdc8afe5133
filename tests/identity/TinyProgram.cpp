// Does nothing: it exists for the version resource linked into it.
int wmain() { return 0; }

"""Where the library lies relative to this package; an install writes its own copy."""

# Folders, relative to the package, searched for the library before the system's search.
LIBRARY_DIRS = ()

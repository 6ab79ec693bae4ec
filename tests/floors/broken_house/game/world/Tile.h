// One of two headers of this name.

// The other header of this name.

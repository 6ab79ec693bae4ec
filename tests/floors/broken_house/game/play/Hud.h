// Beside the level on the play floor.

# Installation: where the programs, libraries and data go.

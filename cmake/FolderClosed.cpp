// Nothing of its own: a shared library that holds one host folder library whole, to prove
// that the folder needs nothing from the folders above it.

# The pictures the programs carry are drawn by tools/pictures/make_pictures.py at build time.
# (Filled in with the picture script.)

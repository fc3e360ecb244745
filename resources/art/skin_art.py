"""The pictures of the two skin libraries: Nistle.dll for the control panel's
skin and Orbane.dll for the picture dialog's. Each table lists, like the main
library's, a resource name (or a plain number, as the skin files name their
bitmaps by number), its kind, its file name and the function that draws it.
The skins' own pictures are added here with the skins."""

NISTLE_PICTURES = []
ORBANE_PICTURES = []

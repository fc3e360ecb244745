"""The pictures of the two skin libraries: Nistle.dll for the control panel's
skin and Orbane.dll for the picture dialog's. The skins' own pictures are
added here with the skins.

Each table lists, like the main library's, a resource name, its kind, its
file name and the function that draws it. The skin files name their bitmaps
and cursors by number, so the names here are those numbers as text:

    ('1001', 'BITMAP', 'panel_back.bmp', draw_panel_back),
    ('2001', 'CURSOR', 'range.cur', draw_range_cursor),   # returns (canvas, hotspot)

A button takes four consecutive numbers (hover, normal, pressed, disabled).
Pixels a skin marks see-through are pure green (0, 255, 0) unless its file
names another colour: draw them with Canvas.key_out('#00ff00', <edge colour>).
"""

NISTLE_PICTURES = []
ORBANE_PICTURES = []

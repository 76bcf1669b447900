"""Makes the catalogue's Chinese font: the glyphs of the given characters taken from a full CJK
font, renamed to a family of its own so that, once installed, it never stands in for the full
font it came from. Prints the source's family name and its copyright notice, one per line.

    python3 - FONT FACE_INDEX TEXT_FILE OUTPUT FAMILY < make_font_subset.py
"""
import sys

from fontTools import subset

font_path, face_index, text_file, output, family = sys.argv[1:6]

options = subset.Options()
options.layout_features = ["*"]
options.font_number = int(face_index)
font = subset.load_font(font_path, options)
with open(text_file, encoding="utf-8") as text:
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text.read())
subsetter.subset(font)

names = font["name"]
source_family = names.getDebugName(1)
copyright_notice = names.getDebugName(0) or ""

# Every name that identifies the face, in every language the source gives it: family, unique
# identifier, full name, PostScript name, typographic and WWS family and style.
postscript_name = family.replace(" ", "") + "-Regular"
for name_id in (1, 2, 3, 4, 6, 16, 17, 21, 22):
    names.removeNames(nameID=name_id)
version = font["head"].fontRevision
for name_id, text in ((1, family), (2, "Regular"), (3, "%.3f;%s" % (version, postscript_name)),
                      (4, family), (6, postscript_name)):
    names.setName(text, name_id, 3, 1, 0x409)

if "CFF " in font:
    cff = font["CFF "].cff
    cff.fontNames = [postscript_name]
    top = cff.topDictIndex[0]
    top.FamilyName = family
    top.FullName = family

font.save(output)
print(source_family)
print(copyright_notice)

#!/bin/bash
# Draws every picture of the window definitions into resources/pictures/, each twice: at its size
# and, as name@2x.ext, at twice its size for screens scaled to 200%.
# Needs ImageMagick (convert), fonts-noto-cjk and fonts-dejavu-core. Re-running it
# reproduces the committed files byte for byte.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out="$here/pictures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

CJK=Noto-Sans-CJK-SC
CJK_BOLD=Noto-Sans-CJK-SC-Bold
LATIN=DejaVu-Sans
LATIN_BOLD=DejaVu-Sans-Bold

fonts=$(convert -list font)
for font in "$CJK" "$CJK_BOLD" "$LATIN" "$LATIN_BOLD"; do
  if ! grep -q "Font: $font\$" <<<"$fonts"; then
    echo "draw_pictures.sh: font $font is missing (install fonts-noto-cjk and fonts-dejavu-core)" >&2
    exit 1
  fi
done

NAVY='#1d3f73'
BLUE='#2a6db0'
ACCENT='#e8962e'
PANEL='rgb(231,242,248)'

# Scale of the pass being drawn (1, then 2) and the suffix of its file names ("" or "@2x").
S=1
SUFFIX=
x() { echo $(( $1 * S )); }  # a length of the design, in pixels of this pass
# The output name of this pass: title_ru.jpg, or title_ru@2x.jpg.
scaled_name() { echo "${1%.*}$SUFFIX.${1##*.}"; }
# A filled rectangle given by its corner pixels in design pixels, covering the same area in this pass.
rect() { echo "rectangle $(x "$1"),$(x "$2") $(( $(x $(( $3 + 1 ))) - 1 )),$(( $(x $(( $4 + 1 ))) - 1 ))"; }

# Writes a PNG without time stamps or other metadata, so that output depends on input only.
save_png() { # <convert arguments...> <output name>
  local args=("$@")
  local name=${args[-1]}
  unset 'args[-1]'
  convert "${args[@]}" -strip -define png:exclude-chunks=date,time "$out/$(scaled_name "$name")"
}

save_jpg() { # <convert arguments...> <output name>
  local args=("$@")
  local name=${args[-1]}
  unset 'args[-1]'
  convert "${args[@]}" -strip -sampling-factor 2x2 -quality 90 "$out/$(scaled_name "$name")"
}

# --- The emblem's mark: a blue disc, a white V and an orange spark, drawn large and scaled down.
convert -size 400x400 xc:none \
  -fill "$BLUE" -draw "circle 200,200 200,12" \
  -fill none -stroke '#9cc6ea' -strokewidth 10 -draw "circle 200,200 200,44" -stroke none \
  -fill white -draw "polygon 96,118 150,118 200,262 250,118 304,118 224,322 176,322" \
  -fill "$ACCENT" -draw "circle 200,110 200,74" \
  "$work/mark.png"
# The icon's mark: no ring and a bolder V, to stay legible at 16 pixels.
convert -size 400x400 xc:none \
  -fill "$BLUE" -draw "circle 200,200 200,4" \
  -fill white -draw "polygon 70,100 160,100 200,230 240,100 330,100 240,330 160,330" \
  -fill "$ACCENT" -draw "circle 200,90 200,40" \
  "$work/mark_small.png"

draw_pass() {
# --- emblem.png 147x96: the mark above the name.
convert -size "$(x 147)x$(x 96)" xc:none \
  \( "$work/mark.png" -resize "$(x 66)x$(x 66)" \) -gravity north -geometry "+0+$(x 2)" -composite \
  -font "$LATIN_BOLD" -pointsize "$(x 19)" -fill "$NAVY" -gravity south -annotate "+0+$(x 2)" 'VELORA' \
  "$work/emblem.png"
save_png "$work/emblem.png" -depth 8 emblem.png

# --- icon.png 16x16, 24-bit colour without alpha: the mark on white.
save_png "$work/mark_small.png" -background white -alpha remove -alpha off -resize "$(x 16)x$(x 16)" \
  -define png:color-type=2 -define png:bit-depth=8 icon.png

# --- Title pictures on white.
save_jpg -size "$(x 700)x$(x 90)" xc:white \
  -fill "$ACCENT" -draw "rectangle $(x 40),$(x 84) $(( $(x 661) - 1 )),$(( $(x 86) - 1 ))" \
  -font "$LATIN_BOLD" -pointsize "$(x 22)" -fill "$NAVY" -gravity center -interline-spacing "$(x 2)" \
  -annotate "+0-$(x 4)" $'Каталог инновационных проектов и разработок\nорганизаций Velora' \
  title_ru.jpg
save_jpg -size "$(x 700)x$(x 90)" xc:white \
  -fill "$ACCENT" -draw "rectangle $(x 40),$(x 84) $(( $(x 661) - 1 )),$(( $(x 86) - 1 ))" \
  -font "$LATIN_BOLD" -pointsize "$(x 22)" -fill "$NAVY" -gravity center -interline-spacing "$(x 2)" \
  -annotate "+0-$(x 4)" $'Catalogue of innovation projects and developments\nby organizations of the Velora' \
  title_en.jpg
save_jpg -size "$(x 600)x$(x 68)" xc:white \
  -fill "$ACCENT" -draw "rectangle $(x 40),$(x 62) $(( $(x 561) - 1 )),$(( $(x 64) - 1 ))" \
  -font "$CJK_BOLD" -pointsize "$(x 30)" -fill "$NAVY" -gravity center \
  -annotate "+0-$(x 4)" 'Velora各组织创新项目与研发成果目录' \
  title_ch.jpg

# --- The Chinese word for Chinese, two colours: black on white, white made transparent.
convert -size "$(x 42)x$(x 19)" xc:white -font "$CJK_BOLD" -pointsize "$(x 15)" -fill black -gravity center \
  -annotate +0+0 '中文' -colorspace gray -threshold 55% "$work/chinese_word.png"
save_png "$work/chinese_word.png" -transparent white chinese_word.png

# --- Menu toggles, read from bottom to top: drawn lying, then turned a quarter turn anticlockwise.
toggle() { # <width> <height> <point size> <text> <output>
  save_png -size "$(x "$2")x$(x "$1")" xc:white -font "$LATIN_BOLD" -pointsize "$(x "$3")" -fill "$NAVY" \
    -gravity center -annotate +0+0 "$4" -rotate -90 -depth 8 "$5"
}
toggle 14 100 10 'Показать' show_ru.png
toggle 14 100 10 'Скрыть' hide_ru.png
toggle 20 90 13 'Show' show_en.png
toggle 20 90 13 'Hide' hide_en.png

# Chinese toggles: the characters stand one above the other, evenly spread over the height.
vertical_chinese() { # <width> <height> <point size> <output> <character...>
  local width=$1 height=$2 size=$3 name=$4
  shift 4
  local count=$# step=$(( height / $# )) args=() i=0
  for character in "$@"; do
    args+=(-annotate "+0+$(x $(( i * step + (step - size) / 2 - 2 )))" "$character")
    i=$(( i + 1 ))
  done
  save_jpg -size "$(x "$width")x$(x "$height")" xc:white -font "$CJK_BOLD" -pointsize "$(x "$size")" -fill "$NAVY" \
    -gravity north "${args[@]}" "$name"
}
vertical_chinese 24 58 19 show_chn.jpg 显 示
vertical_chinese 25 132 19 hide_chn.jpg 最 小 化

# --- Small black Chinese words on a transparent ground: the go-to caption and the button pictures.
word() { # <width> <height> <point size> <text> <output>
  save_png -size "$(x "$1")x$(x "$2")" xc:none -font "$CJK_BOLD" -pointsize "$(x "$3")" -fill black \
    -gravity center -annotate +0+0 "$4" -depth 8 "$5"
}
word 63 18 13 '打开项目' goto_chn.png
word 70 20 14 '中文' imgs_0.png
word 70 20 14 '上一个' imgs_1.png
word 70 20 14 '下一个' imgs_2.png
word 70 20 14 '打开项目' imgs_3.png
word 70 20 14 '退出' imgs_4.png
word 70 20 14 '插入' imgs_5.png

# --- Chinese menu pictures, 165 wide: bold black lines on the menu panel's colour (or on a
# transparent ground), the category number in a column of its own so that wrapped lines align
# after it, and a dashed line along the bottom row in place of the separators.
MENU_SIZE=13
MENU_LINE=18
menu_picture() { # <output> <height> <ground> <number or -> <line...>
  local name=$1 height=$2 ground=$3 number=$4
  shift 4
  # The block of lines is centred in the rows above the dashed line.
  local top=$(( (height - 1 - $# * MENU_LINE) / 2 - 2 ))
  local text_left=4 args=()
  if [ "$number" != - ]; then
    local number_width
    number_width=$(convert -font "$CJK_BOLD" -pointsize "$(x "$MENU_SIZE")" label:"$number." -format %w info:)
    args+=(-annotate "+$(x 2)+$(x "$top")" "$number.")
    text_left=$(( $(x 2) + number_width + $(x 3) ))
  else
    text_left=$(x "$text_left")
  fi
  local i=0
  for line in "$@"; do
    args+=(-annotate "+$text_left+$(x $(( top + i * MENU_LINE )))" "$line")
    i=$(( i + 1 ))
  done
  local dashes=() dash
  for (( dash = 0; dash < 165; dash += 4 )); do
    dashes+=(-draw "rectangle $(x "$dash"),$(x $(( height - 1 ))) $(( $(x $(( dash + 2 ))) - 1 )),$(( $(x "$height") - 1 ))")
  done
  save_png -size "$(x 165)x$(x "$height")" "xc:$ground" -fill black "${dashes[@]}" \
    -font "$CJK_BOLD" -pointsize "$(x "$MENU_SIZE")" -gravity northwest "${args[@]}" -depth 8 "$name"
}
menu_picture menu_chn_0.png 41 "$PANEL" - 'Velora' '科学研究机构'
menu_picture menu_chn_01.png 41 "$PANEL" - 'Velora' '结构'
menu_picture menu_chn_02.png 61 "$PANEL" - 'Velora' '主席团主席' '致辞'
menu_picture menu_chn_1.png 41 none 1 '农业、食品和' '海洋资源'
menu_picture menu_chn_2.png 41 none 2 '农产品加工技术'
menu_picture menu_chn_3.png 25 "$PANEL" 3 '生物科学'
menu_picture menu_chn_4.png 41 "$PANEL" 4 '教育、经济和' '社会科学'
menu_picture menu_chn_5.png 61 "$PANEL" 5 '电子、' '信息技术' '和电信'
menu_picture menu_chn_6.png 25 "$PANEL" 6 '能源'
menu_picture menu_chn_7.png 41 "$PANEL" 7 '环境与安全'
menu_picture menu_chn_8.png 41 "$PANEL" 8 '工业制造、材料' '和运输技术'
menu_picture menu_chn_9.png 41 "$PANEL" 9 '计量与标准化'
menu_picture menu_chn_10.png 41 "$PANEL" 10 '其他工业制造技术'
menu_picture menu_chn_11.png 41 "$PANEL" 11 '科学（化学、物理）'

# --- The splash window's title picture, 607x436. The language buttons sit at y 156..189
# (x 140..485) and the close button at 588,8: that band and that corner stay free of text.
convert -size "$(x 607)x$(x 436)" gradient:'#ffffff-#d6e7f4' \
  -fill "$NAVY" -draw "$(rect 0 0 606 5)" \
  -fill 'rgba(255,255,255,0.75)' -draw "$(rect 0 144 606 201)" \
  -fill "$BLUE" -draw "$(rect 0 143 606 143)" -draw "$(rect 0 202 606 202)" \
  \( "$work/mark.png" -resize "$(x 104)x$(x 104)" \) -gravity northwest -geometry "+$(x 26)+$(x 22)" -composite \
  -font "$LATIN_BOLD" -pointsize "$(x 21)" -fill "$NAVY" -interline-spacing "$(x 3)" \
  -annotate "+$(x 150)+$(x 28)" $'Каталог инновационных проектов\nи разработок организаций\nVelora' \
  -font "$LATIN" -pointsize "$(x 17)" -fill "$NAVY" -gravity north -interline-spacing "$(x 2)" \
  -annotate "+0+$(x 222)" $'Catalogue of innovation projects and developments\nby organizations of the Velora' \
  -font "$CJK_BOLD" -pointsize "$(x 22)" -fill "$NAVY" \
  -annotate "+0+$(x 282)" 'Velora各组织创新项目与研发成果目录' \
  -fill "$ACCENT" -draw "$(rect 203 330 403 331)" \
  -fill "$NAVY" -draw "$(rect 0 378 606 435)" \
  -font "$LATIN_BOLD" -pointsize "$(x 30)" -fill white -gravity south -annotate "+0+$(x 11)" '2014' \
  "$work/splash_title.png"
save_jpg "$work/splash_title.png" splash_title.jpg
}

draw_pass
S=2
SUFFIX=@2x
draw_pass

#!/usr/bin/env bash
# The GeoJSON and the world files as a GIS reads them (GDAL): the GeoJSON
# is WGS 84 longitude/latitude that reprojects to web Mercator, its layer has
# a name, and the picture's corners from its world file are the map square
# the GeoJSON states, its features inside them. Skipped without GDAL.
set -u
bin=$(realpath "$1")
for werkzeug in ogr2ogr ogrinfo gdalinfo; do
    command -v "$werkzeug" >/dev/null || { echo "SKIP: $werkzeug is not installed"; exit 77; }
done
fehler=0
scheitern() { echo "FAIL: $*"; fehler=1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"

"$bin" generate --preset 0 --seed 1 --quiet --geo-origin 48.2,16.37 --geojson "$tmp/k.geojson" \
    --png "$tmp/k.png" --bmp "$tmp/k.bmp" --pixels 300 --world-file || scheitern "generate"
for f in k.pgw k.bmpw; do [ "$(wc -l <"$tmp/$f")" = 6 ] || scheitern "$f has not six lines"; done

# Reprojected without a word from GDAL; the layer is named.
ogr2ogr -t_srs EPSG:3857 "$tmp/merc.geojson" "$tmp/k.geojson" 2>"$tmp/err" || scheitern "ogr2ogr"
[ -s "$tmp/err" ] && scheitern "ogr2ogr says: $(head -c 300 "$tmp/err")"
ogrinfo -so -al "$tmp/merc.geojson" | grep -q "^Extent: (1822" || scheitern "not near 16.37 E"
ogrinfo -so -al "$tmp/k.geojson" >"$tmp/info" || scheitern "ogrinfo"
grep -q "^Layer name: tarvello$" "$tmp/info" || scheitern "layer name: $(grep Layer "$tmp/info")"
# Streets may run on past the map's edge; the buildings lie on it.
ogrinfo -so -al -where "kind = 'building'" "$tmp/k.geojson" >"$tmp/info" || scheitern "ogrinfo"

# Corners as GDAL reads them from the world file, against the stated square,
# with the buildings inside it.
ecken() { gdalinfo "$1" | sed -n -E 's/^(Upper Left|Lower Right) *\( *([-0-9.]+), *([-0-9.]+)\).*/\2 \3/p' | tr '\n' ' '; }
quadrat=$(grep -o '"extent":\[[^]]*\]' "$tmp/k.geojson" | tr -d '"extent:[]' | tr ',' ' ')
merkmale=$(sed -n -E 's/^Extent: \(([-0-9.]+), ([-0-9.]+)\) - \(([-0-9.]+), ([-0-9.]+)\)/\1 \2 \3 \4/p' "$tmp/info")
for bild in k.png k.bmp; do
    # west south east north, from upper-left and lower-right
    echo "$(ecken "$tmp/$bild") | $quadrat | $merkmale" | awk -v b="$bild" '
        function ab(x) { return x < 0 ? -x : x }
        { split($0, t, "|"); split(t[1], e, " "); split(t[2], q, " "); split(t[3], m, " ")
          w = e[1]; n = e[2]; o = e[3]; s = e[4]
          if (ab(w - q[1]) > 2e-7 || ab(s - q[2]) > 2e-7 || ab(o - q[3]) > 2e-7 || ab(n - q[4]) > 2e-7)
              { print "FAIL: " b " corners " w " " s " " o " " n " are not the square " t[2]; exit 1 }
          if (!(m[1] >= w - 1e-6 && m[2] >= s - 1e-6 && m[3] <= o + 1e-6 && m[4] <= n + 1e-6))
              { print "FAIL: buildings " t[3] " outside the picture of " b; exit 1 }
          # Around 48.2 N the 200 m map spans about 0.00269 and 0.00180 degrees.
          if (ab((o - w) - 0.00269) > 0.00002 || ab((n - s) - 0.00180) > 0.00002)
              { print "FAIL: " b " spans " o - w " x " n - s " degrees"; exit 1 } }' || fehler=1
done

# A matrix: each picture its own world file, the corner tiles at the corners.
"$bin" generate --preset 0 --seed 1 --quiet --geo-origin 48.2,16.37 --png "$tmp/m.png" \
    --pixels 150 --matrix 2 --world-file || scheitern "generate --matrix"
links_oben=$(ecken "$tmp/m_1_1.png" | cut -d' ' -f1,2)
rechts_unten=$(ecken "$tmp/m_2_2.png" | cut -d' ' -f3,4)
[ "$links_oben $rechts_unten" = "$(ecken "$tmp/k.png" | sed 's/ *$//')" ] ||
    scheitern "matrix corners $links_oben $rechts_unten, whole $(ecken "$tmp/k.png")"

# Bad requests cost no run.
"$bin" generate --quiet --geo-origin 91,0 --geojson "$tmp/x.geojson" 2>/dev/null
[ $? = 2 ] || scheitern "--geo-origin 91,0 accepted"
"$bin" generate --quiet --world-file --svg "$tmp/x.svg" 2>/dev/null
[ $? = 2 ] || scheitern "--world-file without a raster picture accepted"
[ -e "$tmp/x.geojson" ] || [ -e "$tmp/x.svg" ] && scheitern "a refused run wrote a file"
exit $fehler

# Shared by the desktop end-to-end scripts: the strip on the screen against
# seastrip-render's strip at the same width and the present time. Sourced
# after e2e_lib.sh; the script sets WORK, RENDER (seastrip-render) and
# STRIP_H.

# still_mismatch SHOT W: how many of the strip's pixels that nothing moves
# over differ from seastrip-render's strip at width W and the present time,
# then how many were compared. Where something moves (clouds, waves, walker,
# shooting star) renderings a few seconds apart differ; those places, widened
# for the clouds' drift, are left out. The first rendering is a second in,
# once the first tick has shown the clock's scene.
still_mismatch() {
    clock=$(date +%H:%M:%S)
    for k in 1 4 7 10 13; do
        "$RENDER" --width "$2" --clock "$clock" --run "$k" -o "$WORK/r_$k.png" >/dev/null 2>&1 ||
            die "seastrip-render failed"
    done
    convert -size "${2}x$STRIP_H" xc:black "$WORK/mask.png"
    for k in 4 7 10 13; do
        compare "$WORK/r_1.png" "$WORK/r_$k.png" -compose src -highlight-color white -lowlight-color black \
            "$WORK/m.png" 2>/dev/null
        convert "$WORK/mask.png" "$WORK/m.png" -compose lighten -composite "$WORK/mask.png"
    done
    convert "$WORK/mask.png" -morphology Dilate Square:6 "$WORK/mask.png"
    convert "$1" -alpha off "$WORK/r_1.png" "$WORK/mask.png" -composite "$WORK/masked.png"
    echo "$(compare -metric AE "$WORK/masked.png" "$WORK/r_1.png" null: 2>&1)" \
        "$(convert "$WORK/mask.png" -format "%[fx:round((1-mean)*w*h)]" info:)"
}

# relaid_sky SHOT W: after a new width the scene is laid out afresh, but the
# three clouds draw new places and the waves carry on where they stood, so
# only the sky above the waves is compared, and any difference must be a
# cloud at its new or its rendered place, or something moving: at most
# seven patches, none larger than a cloud. Prints "ok" or what differs.
SKY_ROWS=15
relaid_sky() {
    still_mismatch "$1" "$2" >/dev/null
    compare "$WORK/masked.png" "$WORK/r_1.png" -compose src -highlight-color white -lowlight-color black \
        "$WORK/sky_diff.png" 2>/dev/null
    convert "$WORK/sky_diff.png" -crop "${2}x$SKY_ROWS+0+0" +repage -define connected-components:verbose=true \
        -connected-components 8 null: | awk '
        / gray\(255\)| srgb\(255,255,255\)/ {
            split($2, box, /[x+]/)
            patches++
            if (box[1] > 32 || box[2] > 20) large = large " " $2
        }
        END {
            if (patches > 7 || large != "") print patches " patches, larger than a cloud:" large
            else print "ok"
        }'
}

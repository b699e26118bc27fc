# Shared by the desktop end-to-end scripts: the strip on the screen against
# seastrip-render's strip at the same width and the present time. Sourced
# after e2e_lib.sh; the script sets WORK, RENDER (seastrip-render) and
# STRIP_H.

# moving_mask FIRST W SCALE RENDER_ARGUMENT...: renders the strip at W
# (times SCALE) at runs FIRST, FIRST + 3, ... FIRST + 12 seconds in, into
# $WORK/r_RUN.png, and marks white in $WORK/mask.png where they differ:
# where something moves (clouds, waves, walker, shooting star), widened for
# the clouds' drift. The rest is still and can be compared.
moving_mask() {
    first=$1
    width=$2
    scale=$3
    shift 3
    for k in 0 3 6 9 12; do
        "$RENDER" --width "$width" --scale "$scale" --run $((first + k)) "$@" -o "$WORK/r_$((first + k)).png" \
            >/dev/null 2>&1 || die "seastrip-render failed"
    done
    convert -size "$((width * scale))x$((STRIP_H * scale))" xc:black "$WORK/mask.png"
    for k in 3 6 9 12; do
        compare "$WORK/r_$first.png" "$WORK/r_$((first + k)).png" -compose src -highlight-color white \
            -lowlight-color black "$WORK/m.png" 2>/dev/null
        convert "$WORK/mask.png" "$WORK/m.png" -compose lighten -composite "$WORK/mask.png"
    done
    convert "$WORK/mask.png" -morphology Dilate "Square:$((6 * scale))" "$WORK/mask.png"
}

# still_mismatch SHOT W [SCALE [RENDER_ARGUMENT...]]: how many of the
# strip's pixels that nothing moves over differ from seastrip-render's strip
# at width W (times SCALE, 1 unless given) and the present time, or as the
# arguments say, then how many were compared. Where something moves (clouds,
# waves, walker, shooting star) renderings a few seconds apart differ; those
# places, widened for the clouds' drift, are left out. The first rendering
# is a second in, once the first tick has shown the clock's scene. FUZZ,
# when set, allows for a screen of fewer colours.
still_mismatch() {
    shot=$1
    width=$2
    scale=${3:-1}
    shift $(($# < 3 ? $# : 3))
    [ "$#" -gt 0 ] || set -- --clock "$(date +%H:%M:%S)"
    moving_mask 1 "$width" "$scale" "$@"
    convert "$shot" -alpha off "$WORK/r_1.png" "$WORK/mask.png" -composite "$WORK/masked.png"
    echo "$(compare -metric AE -fuzz "${FUZZ:-0}" "$WORK/masked.png" "$WORK/r_1.png" null: 2>&1)" \
        "$(convert "$WORK/mask.png" -format "%[fx:round((1-mean)*w*h)]" info:)"
}

# still_matches SHOT W [SCALE [RENDER_ARGUMENT...]]: still_mismatch finds at
# most 40 pixels differing per art pixel (a twinkling star or two) and at
# least a third of the strip held still to compare; DIFFER and COMPARED hold
# the figures.
still_matches() {
    read -r DIFFER COMPARED <<END
$(still_mismatch "$@")
END
    [ "$DIFFER" -le $((40 * ${3:-1} * ${3:-1})) ] 2>/dev/null &&
        [ $((3 * COMPARED)) -ge $(($2 * STRIP_H * ${3:-1} * ${3:-1})) ]
}

# relaid_sky SHOT W [SCALE RENDER_ARGUMENT...]: after a new width the scene
# is laid out afresh, but the three clouds draw new places and the waves
# carry on where they stood, so only the sky above the waves is compared,
# and any difference must be a cloud at its new or its rendered place, or
# something moving: a few patches (a cloud's may be cut in two where the
# mask of what moves crosses it), none larger than a cloud. A sky drawn a
# pixel off shows hundreds, one star each. The rendering is as
# still_mismatch's. Prints "ok" or what differs.
SKY_ROWS=15
relaid_sky() {
    still_mismatch "$@" >/dev/null
    scale=${3:-1}
    # Too much moving for the sky to be judged is no match.
    sky_pixels=$((width * scale * SKY_ROWS * scale))
    still_sky=$(convert "$WORK/mask.png" -crop "$((width * scale))x$((SKY_ROWS * scale))+0+0" +repage \
        -format "%[fx:round((1-mean)*w*h)]" info:)
    if [ $((3 * still_sky)) -lt "$sky_pixels" ]; then
        echo "only $still_sky of $sky_pixels sky pixels hold still to compare"
        return
    fi
    compare "$WORK/masked.png" "$WORK/r_1.png" -compose src -highlight-color white -lowlight-color black \
        "$WORK/sky_diff.png" 2>/dev/null
    convert "$WORK/sky_diff.png" -crop "$((width * scale))x$((SKY_ROWS * scale))+0+0" +repage \
        -define connected-components:verbose=true -connected-components 8 null: | awk -v scale="$scale" '
        / gray\(255\)| srgb\(255,255,255\)/ {
            split($2, box, /[x+]/)
            patches++
            if (box[1] > 32 * scale || box[2] > 20 * scale) large = large " " $2
        }
        END {
            if (patches > 12 || large != "") print patches " patches, larger than a cloud:" large
            else print "ok"
        }'
}

# placed NAME X Y W [SECONDS]: the strip window (x_session.sh's STRIP)
# stands at X, Y, W pixels wide within a second (or SECONDS), and a
# screenshot shows its sky there as rendered at that width, within five
# tries; SHOTS, when set, keeps it as SHOT_PREFIX_NAME.png.
placed() {
    started=$(date +%s%N)
    want="$2 $3 $4 $STRIP_H"
    if ! wait_for "${5:-1}" '[ "$(geometry "$STRIP")" = "$want" ]'; then
        fail "$1: the strip is at $(geometry "$STRIP") after ${5:-1} s, not at $want"
        return
    fi
    took=$((($(date +%s%N) - started) / 1000000))
    sky_seen() {
        import -window root "$WORK/$1.png"
        convert "$WORK/$1.png" -crop "${4}x$STRIP_H+$2+$3" +repage "$WORK/$1_strip.png"
        sky=$(relaid_sky "$WORK/$1_strip.png" "$4")
        [ "$sky" = ok ]
    }
    retry 5 0.2 sky_seen "$@"
    [ -n "${SHOTS:-}" ] && cp "$WORK/$1.png" "$SHOTS/${SHOT_PREFIX}_$1.png"
    [ "$sky" = ok ] && pass "$1: the strip stands at $2,$3, $4 wide, within $took ms, its sky as rendered" ||
        fail "$1: at $2,$3 the screen does not show the strip's sky at width $4 ($sky)"
}

# wave_band_seen SHOT W [CLOCK]: how many pixels of the strip's three wave
# rows in SHOT (a screenshot of the strip at width W, taken at CLOCK, by
# default now) differ from the nearest of the 60 steps of a wave cycle as
# seastrip-render draws them at that time: 0 when what moves reached the
# screen whole and unmangled. The sea's colours follow the clock, so a shot
# is compared at the time it was taken.
WAVE_ROWS=21
wave_band_seen() {
    convert "$1" -alpha off -crop "${2}x3+0+$WAVE_ROWS" +repage "$WORK/band.png"
    clock=${3:-$(date +%H:%M:%S)}
    nearest=""
    for k in $(seq 0 59); do
        # Each step 0.11 s, taken half-way through.
        run=$(awk -v k="$k" 'BEGIN { printf "%.3f", 8.055 + 0.11 * k }')
        "$RENDER" --width "$2" --clock "$clock" --run "$run" -o "$WORK/step.png" >/dev/null 2>&1 ||
            die "seastrip-render failed"
        convert "$WORK/step.png" -crop "${2}x3+0+$WAVE_ROWS" +repage "$WORK/step_band.png"
        differ=$(compare -metric AE "$WORK/band.png" "$WORK/step_band.png" null: 2>&1)
        [ -z "$nearest" ] || [ "$differ" -lt "$nearest" ] && nearest=$differ
        [ "$nearest" = 0 ] && break
    done
    echo "$nearest"
}

# out_of_sight WHAT HIDE SHOW SETTLE: once HIDE has put the strip out of
# sight and SETTLE seconds have passed, the strip sends nothing for 4 s (as
# the script's `requests` counts what it sends); once SHOW has undone it,
# the script's `shown_now` finds the present scene.
out_of_sight() {
    $2
    sleep "$4"
    before=$(requests)
    sleep 4
    sent=$(($(requests) - before))
    [ "$sent" -eq 0 ] && pass "$1: the strip sends nothing for 4 s" || fail "$1: the strip sent $sent requests in 4 s"
    $3
    shown_now &&
        pass "$1, then seen again: the strip shows the present scene ($DIFFER of $COMPARED still pixels differ)" ||
        fail "$1, then seen again: $DIFFER of $COMPARED still pixels differ from the present scene"
}

# After the last return the strip draws on.
draws_on() {
    before=$(requests)
    sleep 1
    [ "$(requests)" -gt "$before" ] || fail "the strip does not draw any more after the last return"
    ended "$STRIP_PID" && fail "the strip ended: $(cat "$WORK/seastrip.log")"
}

#!/bin/sh
# Synthesises the game's six sounds with sox: 44.1 kHz, 16-bit, mono, normalised to -1 dB,
# then packs each into Microsoft ADPCM (art/adpcm.py), a quarter of the size.
# Usage: art/sounds.sh OUT_DIR [--pcm]   (--pcm: keep the 16-bit originals, unpacked)
# -R seeds sox's noise generators with a fixed number and -D leaves out dither, so every run
# writes the same bytes.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=$1
pcm=${2:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out" "$tmp/pcm"

# Intermediate files stay 32-bit float, so mixing and filtering never clip before the end.
raw() { # file length synth-and-effects...
    file=$1 length=$2
    shift 2
    sox -R -D -V1 -n -r 44100 -c 1 -e floating-point -b 32 "$tmp/$file" synth "$length" "$@"
}
# Mixes float files (each preceded by its volume) into the final 16-bit wave, then applies
# the effects after "--".
finish() { # name volume file [volume file ...] -- effects...
    name=$1
    shift
    inputs=""
    while [ "$1" != "--" ]; do
        inputs="$inputs -v $1 $tmp/$2"
        shift 2
    done
    shift
    # shellcheck disable=SC2086
    sox -R -D -V1 -m $inputs -r 44100 -c 1 -e signed-integer -b 16 "$tmp/pcm/$name.wav" \
        "$@" norm -1
}
# With a single input sox needs no -m.
finish1() { # name file effects...
    name=$1 file=$2
    shift 2
    sox -R -D -V1 "$tmp/$file" -r 44100 -c 1 -e signed-integer -b 16 "$tmp/pcm/$name.wav" \
        "$@" norm -1
}

# motor: a low hum that loops without a click. Every part repeats a whole number of times a
# second (50 Hz, 100 Hz, 25 Hz, an 8 Hz flutter), three seconds are made so that the filter
# has settled, and the middle second is kept: its end runs straight on into its start.
raw hum_saw.f32.wav 3 sawtooth 50 lowpass 500
raw hum_sine.f32.wav 3 sine 100
raw hum_sub.f32.wav 3 sine 25
sox -R -D -V1 -m -v 0.7 "$tmp/hum_saw.f32.wav" -v 0.35 "$tmp/hum_sine.f32.wav" \
    -v 0.45 "$tmp/hum_sub.f32.wav" -e floating-point -b 32 "$tmp/hum.f32.wav" tremolo 8 30
finish1 motor hum.f32.wav trim 1 1

# alarm: two-tone siren, 0.5 s high then 0.5 s low. Each tone holds a whole number of periods
# and fades in and out over 4 ms, so both the change of tone and the loop's seam are silent
# points.
for tone in 880 660; do
    raw "f$tone.f32.wav" 0.5 sine "$tone"
    raw "h$tone.f32.wav" 0.5 sine "$((tone * 2))"
    raw "t$tone.f32.wav" 0.5 sine "$((tone * 3))"
    sox -R -D -V1 -m -v 0.6 "$tmp/f$tone.f32.wav" -v 0.3 "$tmp/h$tone.f32.wav" \
        -v 0.18 "$tmp/t$tone.f32.wav" -e floating-point -b 32 "$tmp/s$tone.f32.wav" \
        fade t 0.004 0.5 0.004
done
sox -R -D -V1 "$tmp/s880.f32.wav" "$tmp/s660.f32.wav" -e floating-point -b 32 \
    "$tmp/siren.f32.wav"
finish1 alarm siren.f32.wav

# good: a bright two-note chime (C6 then G6) with bell-like partials and a short ring. Each
# partial is struck with a 3 ms rise and dies away on a logarithmic curve.
strike() { # file length frequency ring delay
    raw "$1" "$2" sine "$3" fade q 0.003 fade l 0 "$4" "$4" pad "$5"
}
strike c6.f32.wav 1.1 1046.5 1.1 0
strike c6p.f32.wav 0.5 2888 0.5 0
strike g6.f32.wav 1.0 1568 1.0 0.11
strike g6p.f32.wav 0.4 4327 0.4 0.11
finish good 0.5 c6.f32.wav 0.2 c6p.f32.wav 0.5 g6.f32.wav 0.15 g6p.f32.wav -- \
    pad 0 0.2 reverb 30 50 60 remix - fade t 0 1.31 0.2

# roll: a ball rumbling down the chute: filtered noise that bumps 14 times a second.
raw rumble.f32.wav 0.7 brownnoise lowpass 700 tremolo 14 70
raw thump.f32.wav 0.7 sine 90 tremolo 14 60
finish roll 0.8 rumble.f32.wav 0.5 thump.f32.wav -- fade q 0.06 0.7 0.3

# trash: a crunch: short bursts of noise at uneven moments, each through its own band, over
# a low thud.
crunch=""
for burst in 0:0.04:1800 0.03:0.03:3200 0.07:0.05:1200 0.13:0.025:4200 0.16:0.04:2200 \
    0.22:0.03:1500 0.26:0.05:2800 0.33:0.03:1000; do
    at=${burst%%:*} rest=${burst#*:}
    length=${rest%%:*} band=${rest#*:}
    raw "b$at.f32.wav" "$length" whitenoise sinc -n 255 "$((band / 2))-$((band * 2))" \
        fade t 0.001 "$length" 0.02 pad "$at"
    crunch="$crunch 0.7 b$at.f32.wav"
done
raw thud.f32.wav 0.2 sine 70 fade t 0.003 0.2 0.18
# shellcheck disable=SC2086
finish trash $crunch 0.6 thud.f32.wav -- lowpass 7000

# chain: a metallic clink, two quick strikes of inharmonic partials.
strike k1.f32.wav 0.2 2350 0.2 0
strike k2.f32.wav 0.14 3720 0.14 0
strike k3.f32.wav 0.09 5480 0.09 0
strike k4.f32.wav 0.22 2610 0.22 0.07
strike k5.f32.wav 0.12 4150 0.12 0.07
finish chain 0.4 k1.f32.wav 0.3 k2.f32.wav 0.2 k3.f32.wav 0.3 k4.f32.wav 0.2 k5.f32.wav --

for name in motor alarm good roll trash chain; do
    if [ "$pcm" = --pcm ]; then
        cp "$tmp/pcm/$name.wav" "$out/"
    else
        python3 -B "$here/adpcm.py" "$tmp/pcm/$name.wav" "$out/$name.wav"
    fi
done

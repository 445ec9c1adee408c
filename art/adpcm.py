"""Packs a mono 16-bit PCM wave into a Microsoft ADPCM wave, four bits a sample.

Usage: python3 adpcm.py IN.wav OUT.wav

libsndfile decodes Microsoft ADPCM itself on every platform the game is built for, so the
sounds shrink to a quarter and stay wave files. Every block carries its first two samples
verbatim and chooses the one of the format's seven predictors that follows the sound best;
on these sounds that keeps the error 5 to 10 dB further down than IMA ADPCM at the same size.

Decoders hand out whole blocks, and padding at a loop's seam would be heard as a click on
every repeat, so each file gets the block length (1000 to 2100 samples) that leaves the least
padding: a one-second loop fills exactly 21 blocks of 2100. The one-shot sounds end in
silence and get at most a few milliseconds more of it.

The codes are chosen against exactly the arithmetic libsndfile decodes with, so the encoder
and the decoder never drift apart inside a block.
"""

import struct
import sys
import wave

COEFFICIENTS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
ADAPTATION = [230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230]


def clamp(value, low, high):
    return low if value < low else high if value > high else value


def encode_run(samples, predictor, delta):
    """Codes for samples[2:] with one predictor and starting scale; returns (error, codes)."""
    c1, c2 = COEFFICIENTS[predictor]
    older, old = samples[0], samples[1]
    error = 0
    codes = []
    for sample in samples[2:]:
        guess = (old * c1 + older * c2) >> 8
        # The decoded value is linear in the code, so the nearest code is the rounded ratio.
        code = clamp((sample - guess + (delta >> 1)) // delta, -8, 7)
        value = clamp(guess + code * delta, -32768, 32767)
        error += (sample - value) ** 2
        codes.append(code & 15)
        delta = max(16, (ADAPTATION[code & 15] * delta) >> 8)
        older, old = old, value
    return error, codes


def encode_block(samples):
    best = None
    first_step = max(16, abs(samples[2] - samples[1]) if len(samples) > 2 else 16)
    for predictor in range(len(COEFFICIENTS)):
        for delta in (first_step // 4, first_step // 2, first_step, first_step * 2):
            delta = clamp(delta, 16, 32767)
            error, codes = encode_run(samples, predictor, delta)
            if best is None or error < best[0]:
                best = (error, predictor, delta, codes)
    _, predictor, delta, codes = best
    # The header holds the second sample before the first.
    out = bytearray(struct.pack("<Bhhh", predictor, delta, samples[1], samples[0]))
    for i in range(0, len(codes), 2):
        out.append(codes[i] << 4 | codes[i + 1])
    return out


def wave_file(data, frames, rate, samples_per_block, block_bytes):
    coefficients = b"".join(struct.pack("<hh", a, b) for a, b in COEFFICIENTS)
    fmt = struct.pack("<HHIIHHHHH", 2, 1, rate, rate * block_bytes // samples_per_block,
                      block_bytes, 4, 4 + len(coefficients), samples_per_block,
                      len(COEFFICIENTS)) + coefficients
    chunks = (b"fmt " + struct.pack("<I", len(fmt)) + fmt
              + b"fact" + struct.pack("<II", 4, frames)
              + b"data" + struct.pack("<I", len(data)) + bytes(data)
              + b"\0" * (len(data) % 2))  # chunks keep to even lengths
    return b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks


def block_length(frames):
    """The even block length that pads the least; the longest of equals wastes least on headers."""
    return min(range(2100, 999, -2), key=lambda n: -frames % n)


def main(source, target):
    with wave.open(source, "rb") as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2:
            sys.exit(f"{source}: not mono 16-bit PCM")
        rate = w.getframerate()
        raw = w.readframes(w.getnframes())
    samples = list(struct.unpack(f"<{len(raw) // 2}h", raw))
    frames = len(samples)
    samples_per_block = block_length(frames)
    block_bytes = 7 + (samples_per_block - 2) // 2
    samples += [0] * (-frames % samples_per_block)
    data = bytearray()
    for start in range(0, len(samples), samples_per_block):
        data += encode_block(samples[start:start + samples_per_block])
    with open(target, "wb") as f:
        f.write(wave_file(data, frames, rate, samples_per_block, block_bytes))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

// An 8-bit RGB or RGBA PNG, not interlaced, as rows of [r, g, b]: how a test reads a picture.
import zlib from "node:zlib";

export function readPng(data) {
  const width = data.readUInt32BE(16), height = data.readUInt32BE(20);
  const depth = data[24], kind = data[25];
  if (depth !== 8 || (kind !== 2 && kind !== 6)) throw new Error("not an 8-bit RGB or RGBA PNG");
  const packed = [];
  for (let at = 8; at < data.length;) {
    const length = data.readUInt32BE(at);
    if (data.toString("latin1", at + 4, at + 8) === "IDAT") {
      packed.push(data.subarray(at + 8, at + 8 + length));
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(packed));
  const size = kind === 2 ? 3 : 4, stride = width * size;
  const rows = [];
  let previous = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const line = Uint8Array.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    unfilter(raw[y * (stride + 1)], line, previous, size);
    const row = [];
    for (let x = 0; x < width; x++) row.push([line[x * size], line[x * size + 1], line[x * size + 2]]);
    rows.push(row);
    previous = line;
  }
  return rows;
}

function unfilter(kind, line, previous, size) {
  for (let i = 0; i < line.length; i++) {
    const left = i >= size ? line[i - size] : 0, up = previous[i];
    const corner = i >= size ? previous[i - size] : 0;
    let predicted = 0;
    if (kind === 1) predicted = left;
    else if (kind === 2) predicted = up;
    else if (kind === 3) predicted = (left + up) >> 1;
    else if (kind === 4) {
      const p = left + up - corner, pa = Math.abs(p - left), pb = Math.abs(p - up);
      const pc = Math.abs(p - corner);
      predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
    }
    line[i] = (line[i] + predicted) & 0xff;
  }
}

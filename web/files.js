// What the page does with files, apart from the page: a dialogue file's bytes read as text, and
// several saved files handed to the browser as one archive.

// A dialogue is at most a few hundred values: beyond this the input is no dialogue.
const DIALOGUE_BYTES = 64 * 1024;
const DIALOGUE_LINES = 2000;

// The text of a dialogue file, by its byte order mark (UTF-16 from Notepad's "Unicode", UTF-8),
// else UTF-8 when it reads as such, else Shift-JIS; null for what is no text (control characters
// that no text file holds).
function decodeDialogue(bytes) {
  const b = new Uint8Array(bytes);
  let value;
  if (b[0] === 0xff && b[1] === 0xfe) {
    value = new TextDecoder("utf-16le").decode(b);
  } else if (b[0] === 0xfe && b[1] === 0xff) {
    value = new TextDecoder("utf-16be").decode(b);
  } else {
    try {
      value = new TextDecoder("utf-8", {fatal: true}).decode(b);
    } catch (notUtf8) {
      value = new TextDecoder("shift_jis").decode(b);
    }
  }
  return /[\x00-\x08\x0e-\x1f\x7f]/.test(value) ? null : value;
}

// A dialogue given at once (an address, a paste), cut to what a dialogue can be; `cut` tells
// whether anything was left out.
function dialogueLines(value) {
  let cut = value.length > DIALOGUE_BYTES;
  const all = value.slice(0, DIALOGUE_BYTES).replace(/\r\n?/g, "\n").split("\n");
  if (all.length > 1 && all[all.length - 1] === "") all.pop();
  if (all.length > DIALOGUE_LINES) {
    cut = true;
    all.length = DIALOGUE_LINES;
  }
  return {lines: all, cut: cut};
}

const CRC_TABLE = (function() {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let c = 0xffffffff;
  for (let i = 0; i < bytes.length; i++) c = CRC_TABLE[(c ^ bytes[i]) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

// A ZIP archive that stores the files as they are (PNG is compressed already; the CSV is small):
// one download, which a browser never holds back as it may hold back a second one.
function zipFiles(files) {
  const encoder = new TextEncoder();
  const parts = [], directory = [];
  let offset = 0;
  for (const file of files) {
    const name = encoder.encode(file.name), crc = crc32(file.bytes), size = file.bytes.length;
    const local = new DataView(new ArrayBuffer(30));
    [[0, 0x04034b50, 4], [4, 20, 2], [6, 0x800, 2], [14, crc, 4], [18, size, 4], [22, size, 4],
     [26, name.length, 2]].forEach(([at, value, width]) => width === 4
        ? local.setUint32(at, value, true) : local.setUint16(at, value, true));
    const central = new DataView(new ArrayBuffer(46));
    [[0, 0x02014b50, 4], [4, 20, 2], [6, 20, 2], [8, 0x800, 2], [16, crc, 4], [20, size, 4],
     [24, size, 4], [28, name.length, 2], [42, offset, 4]].forEach(([at, value, width]) =>
        width === 4 ? central.setUint32(at, value, true) : central.setUint16(at, value, true));
    parts.push(new Uint8Array(local.buffer), name, file.bytes);
    directory.push(new Uint8Array(central.buffer), name);
    offset += 30 + name.length + size;
  }
  const directorySize = directory.reduce((sum, part) => sum + part.length, 0);
  const end = new DataView(new ArrayBuffer(22));
  end.setUint32(0, 0x06054b50, true);
  end.setUint16(8, files.length, true);
  end.setUint16(10, files.length, true);
  end.setUint32(12, directorySize, true);
  end.setUint32(16, offset, true);
  return new Blob(parts.concat(directory, [new Uint8Array(end.buffer)]),
                  {type: "application/zip"});
}

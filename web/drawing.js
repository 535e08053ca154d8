// The frame, drawn on the 2-D canvas over GLUT's: its shapes and its captions, in the order the
// program draws them, in CSS pixels of the canvas as shown.
(function(state) {
  const canvas = page.canvas;
  const captionCanvas = document.getElementById("captions");
  const captions = captionCanvas.getContext("2d");
  let frameSmallest = Infinity;  // CSS pixels, the smallest text of the frame being drawn
  let shown = [800, 800];        // CSS pixels, the canvas as shown in the frame being drawn
  let font = 0;                  // CSS pixels, the size of the font the canvas holds
  const FONT_FAMILY = "px Helvetica, Arial, \"Liberation Sans\", sans-serif";
  const fonts = [];              // the font of each size, as the canvas takes it
  // CSS pixels, the width of each character measured, by size: a text is as wide as its
  // characters, as a bitmap font's is, and the few characters a window shows are measured once,
  // however its numbers change while the panel plays.
  const measured = new Map();

  function shownSize() {
    const box = canvas.getBoundingClientRect();
    return [box.width || canvas.width, box.height || canvas.height];
  }

  Object.assign(state, {
    frameDrawn(milliseconds) {
      state.framesDrawn += 1;
      state.smallestText = frameSmallest;
      state.drawingMilliseconds += milliseconds;
    },
    // The frame is drawn in CSS pixels of the canvas as shown, sharp on any screen, on white.
    clearCaptions() {
      shown = shownSize();
      const scale = window.devicePixelRatio || 1;
      const w = Math.round(shown[0] * scale), h = Math.round(shown[1] * scale);
      if (captionCanvas.width !== w || captionCanvas.height !== h) {
        captionCanvas.width = w;
        captionCanvas.height = h;
        font = 0;
      }
      captions.setTransform(1, 0, 0, 1, 0, 0);
      captions.fillStyle = "#fff";
      captions.fillRect(0, 0, w, h);
      frameSmallest = Infinity;
      captions.setTransform(scale, 0, 0, scale, 0, 0);
      return shown;
    },
    // A shape of the frame, in window units from the centre (x right, y up): GL's lines (kind 0),
    // line strip (1), triangle strip (2) or triangles (3), lines `width` pixels of GLUT's window
    // wide, in the colour's RGB (0 to 1). A strip is filled as its outline (v0, v1, v3, ..., v4,
    // v2), one polygon without seams; a line one pixel wide lies on the middle of its pixels.
    shape(kind, points, width, rgb) {
      const [w, h] = shown, sx = w / 2, sy = h / 2, count = points.length / 2;
      const snap = kind < 2 && width < 1.5 ? v => Math.floor(v) + 0.5 : v => v;
      const x = k => snap((points[2 * k] + 1) * sx), y = k => snap((1 - points[2 * k + 1]) * sy);
      const colour = "rgb(" + Math.round(rgb[0] * 255) + "," + Math.round(rgb[1] * 255) + "," +
                     Math.round(rgb[2] * 255) + ")";
      captions.beginPath();
      if (kind === 2) {
        captions.moveTo(x(0), y(0));
        for (let k = 1; k < count; k += 2) captions.lineTo(x(k), y(k));
        for (let k = count - 1 - (count - 1) % 2; k >= 2; k -= 2) captions.lineTo(x(k), y(k));
      } else if (kind === 3) {
        for (let k = 0; k + 2 < count; k += 3) {
          captions.moveTo(x(k), y(k));
          captions.lineTo(x(k + 1), y(k + 1));
          captions.lineTo(x(k + 2), y(k + 2));
        }
      }
      if (kind >= 2) {
        captions.fillStyle = colour;
        captions.fill();
        return;
      }
      for (let k = 0; k + 1 < count; k += kind === 0 ? 2 : 1) {
        if (kind === 0 || k === 0) captions.moveTo(x(k), y(k));
        captions.lineTo(x(k + 1), y(k + 1));
      }
      captions.lineWidth = width * w / canvas.width;
      captions.strokeStyle = colour;
      captions.stroke();
    },
    textWidth(value, size) {
      let widths = measured.get(size);
      if (widths === undefined) {
        widths = new Map();
        measured.set(size, widths);
      }
      let wide = 0;
      for (const character of value) {
        let w = widths.get(character);
        if (w === undefined) {
          useFont(size);
          w = captions.measureText(character).width;
          widths.set(character, w);
        }
        wide += w;
      }
      return Math.ceil(wide);
    },
    // At GLUT's raster position in window units: x from the left edge, y up from the bottom. On a
    // canvas shown small, text is made no taller than its lines' spacing (0.05 window units) and
    // no wider than what is left of the canvas; never smaller than 11 pixels.
    caption(x, y, value, size, colour) {
      const [width, height] = shown;
      size = Math.min(size, Math.max(11, Math.floor(height * 0.045)));
      const left = (x + 1) / 2 * width;
      const room = width - left - 2;
      const wide = state.textWidth(value, size);
      if (wide > room && size > 11) size = Math.max(11, Math.floor(size * room / wide));
      frameSmallest = Math.min(frameSmallest, size);
      useFont(size);
      captions.fillStyle = colour;
      captions.fillText(value, left, (1 - y) / 2 * height);
    },
  });

  // Setting a canvas's font makes the browser parse it: only when the size changes.
  function useFont(size) {
    if (font !== size) {
      captions.font = fonts[size] || (fonts[size] = size + FONT_FAMILY);
      font = size;
    }
  }

})(springChain);

// The page's side of the program: its texts in the language chosen, the console pane and its
// input line (lines typed, pasted, or read from the address or a file), the captions over the
// canvas, the keys' buttons, and what a page or a test may observe of the program.
var springChain = (function() {
  // The page's address: ?lang=en and ?input=... (or the same after #, which never reaches a
  // server; there they win). answers=lines marks a link the page made: its lines are the answers
  // as typed, one a question, a blank line at the yes/no question being Enter.
  const address = new URLSearchParams(location.search);
  new URLSearchParams(location.hash.slice(1)).forEach((value, key) => address.set(key, value));
  const language = /^en/i.test(address.get("lang") || "") ? "en" : "ja";
  const exactAnswers = address.get("answers") === "lines";
  const say = PAGE_TEXTS[language];

  const output = document.getElementById("console-output");
  const input = document.getElementById("console-input");
  const inputLabel = document.getElementById("input-label");
  const canvas = document.getElementById("canvas");
  const captionCanvas = document.getElementById("captions");
  const captions = captionCanvas.getContext("2d");
  const description = document.getElementById("canvas-description");
  const buttons = [...document.querySelectorAll("#keys button")];
  const encoder = new TextEncoder();
  const lines = [];        // lines given before the program asked for them
  const passed = [];       // keys of the window that ask in the console, for main to take up
  let lineWaiter = null;   // the program waits for a line ...
  let keyWaiter = null;    // ... or for one key
  let passedWaiter = null;
  let text = new Uint8Array(0);
  let dialogue = [];       // the lines of the dialogue being typed, for a link to it
  let recording = true;
  let resumeWhenShown = false;
  let lastDescribed = 0;
  let lastFrame = null;    // what the last frame showed, in figures
  let sinceAnswer = "";    // what the program wrote since the last answer: the question
  let heading = "";        // the last line that named a quantity's unit
  let returnFocus = null;  // the button whose key asked in the console
  let scrollPending = false;
  let frameSmallest = Infinity;  // CSS pixels, the smallest text of the frame being drawn
  let shown = [800, 800];        // CSS pixels, the canvas as shown in the frame being drawn
  let font = 0;          // CSS pixels, the size of the font the captions' canvas holds
  const FONT_FAMILY = "px Helvetica, Arial, \"Liberation Sans\", sans-serif";
  const fonts = [];   // the font of each size, as the canvas takes it
  // CSS pixels, the width of each character measured, by size: a text is as wide as its
  // characters, as a bitmap font's is, and the few characters a window shows are measured once,
  // however its numbers change while the panel plays.
  const measured = new Map();
  const state = {
    framesDrawn: 0, playing: false, waitingForInput: false, waitingFor: null,
    exited: false, exitStatus: null, failure: null, language: language,
    simulatedTime: 0,        // s, of the frame last drawn
    smallestText: null,      // CSS pixels, the smallest text that frame drew
    firstPromptAt: null,     // ms from the page's start to the program's first question
    drawingMilliseconds: 0,  // spent in the frames' drawing, all frames together
    downloads: [],           // names of the files the program has saved
    handedOver: [],          // names of the downloads handed to the browser
    noWebGL: false,
  };

  document.documentElement.lang = language;
  document.title = say.title;
  document.querySelectorAll("[data-text]").forEach(e => { e.textContent = say[e.dataset.text]; });
  document.querySelectorAll("[data-label]").forEach(e => {
    e.setAttribute("aria-label", say[e.dataset.label]);
  });
  document.getElementById("switch-language").lang = language === "en" ? "ja" : "en";
  buttons.forEach(function(button) {
    const name = say[button.dataset.name];
    const key = button.dataset.key;
    button.querySelector("span").textContent = name;
    button.setAttribute("aria-label", name);
    button.title = name;
    button.setAttribute("aria-keyshortcuts", key === " " ? "Space"
                                             : key !== key.toLowerCase() ? "Shift+" + key : key);
  });
  canvas.setAttribute("aria-label", say.canvas);
  canvas.addEventListener("contextmenu", event => event.preventDefault());
  inputLabel.textContent = say.answer;

  // GLUT's WebGL canvas takes the keys and gives the window its size; a browser that gives no
  // WebGL is named in the pane, which would otherwise stay silent after the dialogue.
  const getContext = canvas.getContext.bind(canvas);
  canvas.getContext = function(kind, options) {
    const made = getContext(kind, options);
    if (!made && /webgl/.test(kind) && !state.noWebGL) {
      state.noWebGL = true;
      note(say.noWebGL);
    }
    return made;
  };

  // The pane follows its last line once a frame: a long dialogue read at once would otherwise
  // lay the pane out again for every line.
  function scrollToEnd() {
    if (scrollPending) return;
    scrollPending = true;
    requestAnimationFrame(function() {
      scrollPending = false;
      output.scrollTop = output.scrollHeight;
    });
  }

  function note(message) {
    const line = document.createElement("span");
    line.className = "page";
    line.textContent = message + "\n";
    output.appendChild(line);
    scrollToEnd();
  }

  // A line shown after the prompt that takes it, as the student typed it: text of the pane, which
  // a copy of the console takes with the program's.
  function echo(line) {
    const typed = document.createElement("span");
    typed.className = "typed";
    typed.textContent = line + "\n";
    output.appendChild(typed);
    scrollToEnd();
    sinceAnswer = "";
    if (recording) dialogue.push(line);
  }

  function updateButtons() {
    const active = Boolean(state.pressKey) && !state.exited && !state.waitingForInput;
    buttons.forEach(function(button) {
      button.setAttribute("aria-disabled", String(!active));
      button.tabIndex = active ? 0 : -1;
    });
  }

  function give(value) {
    text = encoder.encode(value);
    state.waitingForInput = false;
    state.waitingFor = null;
    updateButtons();
    return text.length;
  }

  // What the question asks, for the input's label: the quantity and its unit, where the program
  // asks for one value after another under one heading ("No. 2" under the masses' heading).
  function asked() {
    const question = sinceAnswer.trimEnd().split("\n").pop().replace(/\s*[=?]?\s*$/, "").trim();
    const number = /^No\.\s*(\d+)/.exec(question);
    if (!number) return question;
    const k = number[1];
    if (/y0/.test(question)) return say.startAsked(k);
    return /\[kg\]/.test(heading) ? say.massAsked(k) : say.springAsked(k);
  }

  // The question the program waits on is the pane's last line; the input line says it.
  function wait(kind) {
    if (state.firstPromptAt === null) state.firstPromptAt = performance.now();
    state.waitingForInput = true;
    state.waitingFor = kind;
    updateButtons();
    inputLabel.textContent = say.answer + ": " + asked();
    input.focus({preventScroll: true});
    input.scrollIntoView({block: "nearest"});
  }

  // As a dialogue read from a file answers: the next character that is no blank, the rest of
  // its line dropped. A link the page made answers with its next line as typed.
  function keyFromLines() {
    while (lines.length > 0) {
      const line = lines.shift();
      const answer = exactAnswers ? (line === "" ? "\n" : [...line][0]) : [...line.trim()][0];
      if (answer !== undefined) {
        echo(answer === "\n" ? "" : answer);
        return answer;
      }
    }
    return null;
  }

  // Lines typed, pasted, or read from the address or a file, each as if typed with Enter.
  function feed(newLines) {
    for (const line of newLines) lines.push(line);
    if (lineWaiter && lines.length > 0) {
      const resolve = lineWaiter;
      lineWaiter = null;
      const line = lines.shift();
      echo(line);
      resolve(give(line));
    } else if (keyWaiter) {
      const answer = keyFromLines();
      if (answer !== null) {
        const resolve = keyWaiter;
        keyWaiter = null;
        resolve(give(answer));
      }
    }
  }

  // A dialogue given at once, cut to what a dialogue can be, with a word when it was cut.
  function feedAll(value) {
    const given = dialogueLines(value);
    if (given.cut) note(say.tooLong(given.lines.length, DIALOGUE_BYTES / 1024));
    feed(given.lines);
  }

  // At the yes/no question a key answers at once, without Enter, as at a terminal: a character
  // as itself, Enter as a line end, Escape as itself. Every other key (the arrows, Backspace, a
  // function key, Tab) is no answer and keeps what it does in the browser.
  function keyAnswer(event) {
    if ([...event.key].length === 1) return event.key;
    if (event.key === "Enter") return "\n";
    if (event.key === "Escape") return "\x1b";
    return null;
  }

  input.addEventListener("keydown", function(event) {
    if (keyWaiter) {
      const answer = event.ctrlKey || event.metaKey || event.altKey || event.isComposing
                         ? null : keyAnswer(event);
      if (answer !== null) {
        event.preventDefault();
        const resolve = keyWaiter;
        keyWaiter = null;
        echo(answer === "\n" ? "" : answer);
        resolve(give(answer));
      }
      return;
    }
    if (event.key !== "Enter" || event.isComposing) return;
    event.preventDefault();
    const line = input.value;
    input.value = "";
    feed([line]);
  });

  // Several lines pasted are taken line by line, as the same file given to the program, with
  // what was typed before and after the caret around them.
  input.addEventListener("paste", function(event) {
    const pasted = (event.clipboardData || window.clipboardData).getData("text");
    if (!/[\r\n]/.test(pasted)) return;
    event.preventDefault();
    const before = input.value.slice(0, input.selectionStart);
    const after = input.value.slice(input.selectionEnd);
    input.value = "";
    feedAll(before + pasted + after);
  });

  // Text that comes without a key of its own (an input method's full-width 'ｙ') answers the
  // yes/no question with its first character as well.
  function textAnswer(value) {
    if (!keyWaiter || !value) return;
    input.value = "";
    const resolve = keyWaiter;
    keyWaiter = null;
    const answer = [...value][0];
    echo(answer);
    resolve(give(answer));
  }
  input.addEventListener("compositionend", function(event) { textAnswer(event.data); });
  input.addEventListener("input", function(event) {
    if (!event.isComposing) textAnswer(input.value);
  });

  // The program ends by throwing ExitStatus out of the key's handler: that is its end, no error.
  function quietly(handler) {
    return function(event) {
      try {
        handler(event);
      } catch (thrown) {
        if (!(thrown && thrown.name === "ExitStatus")) throw thrown;
      }
    };
  }

  // A button acts as its key on the canvas; the focus stays on it, for the next press.
  buttons.forEach(function(button) {
    button.addEventListener("click", function() {
      const key = button.dataset.key;
      if (button.getAttribute("aria-disabled") === "true") return;
      returnFocus = button;
      if (key === "Escape") state.pressKey(27, false);
      else if (key === " ") state.pressKey(32, false);
      else state.pressKey(key.toUpperCase().charCodeAt(0), key !== key.toLowerCase());
    });
  });

  // The address of this page with the dialogue typed so far, in the language `lang`.
  function linkTo(lang) {
    const params = new URLSearchParams();
    if (lang === "en") params.set("lang", "en");
    else if (/lang=/.test(location.search)) params.set("lang", "ja");
    const typed = dialogue.concat(lines);
    if (typed.length > 0) {
      params.set("answers", "lines");
      params.set("input", typed.join("\n"));
    }
    return location.href.split(/[?#]/)[0] + "#" + params.toString();
  }

  document.getElementById("link").addEventListener("click", function() {
    const link = linkTo(language);
    const box = document.getElementById("link-output");
    box.hidden = false;
    box.value = link;
    box.select();
    if (navigator.clipboard) navigator.clipboard.writeText(link).catch(() => {});
    note(say.linkMade + link);
  });

  // The page at another address: a new dialogue, from its start.
  function goTo(link) {
    if (link === location.href) location.reload();
    else location.replace(link);
  }
  // A second link opened in the same tab, or Back after a file, changes the hash alone.
  window.addEventListener("hashchange", () => location.reload());

  // A dialogue file starts the page afresh with its lines, as the desktop reads one given to it.
  function openDialogue(file) {
    if (file.size > DIALOGUE_BYTES) {
      note(say.tooBig(file.name, DIALOGUE_BYTES / 1024));
      return;
    }
    file.arrayBuffer().then(function(bytes) {
      const value = decodeDialogue(bytes);
      if (value === null) {
        note(say.notText + file.name);
        return;
      }
      const params = new URLSearchParams();
      if (language === "en") params.set("lang", "en");
      params.set("input", value);
      goTo(location.href.split("#")[0] + "#" + params.toString());
    }, why => note(say.notRead + file.name + " (" + why.message + ")"));
  }
  function openIfText(file) {
    if (file.type && !file.type.startsWith("text/")) note(say.notText + file.name);
    else openDialogue(file);
  }
  const chooser = document.getElementById("file");
  document.getElementById("open-file").addEventListener("click", () => chooser.click());
  chooser.addEventListener("change", () => { if (chooser.files[0]) openIfText(chooser.files[0]); });
  document.addEventListener("dragover", function(event) {
    event.preventDefault();
    document.body.classList.add("dropping");
  });
  document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
  document.addEventListener("drop", function(event) {
    event.preventDefault();
    document.body.classList.remove("dropping");
    if (event.dataTransfer.files[0]) openIfText(event.dataTransfer.files[0]);
  });

  // The other language, with the dialogue typed so far, whatever the address said.
  document.getElementById("switch-language").addEventListener("click", function() {
    const search = new URLSearchParams(location.search);
    search.delete("lang");
    const link = linkTo(language === "en" ? "ja" : "en");
    const query = search.toString();
    goTo(location.href.split(/[?#]/)[0] + (query ? "?" + query : "") + link.slice(link.indexOf("#")));
  });
  document.getElementById("again").addEventListener("click", () => location.reload());

  // Play stops while nobody sees the page (a browser slows a hidden page's timers to a tick a
  // second) and goes on from the same instant once it is shown again.
  document.addEventListener("visibilitychange", function() {
    if (!state.pressKey || state.exited) return;
    if (document.hidden && state.playing) {
      resumeWhenShown = true;
      state.pressKey(32, false);
    } else if (!document.hidden && resumeWhenShown) {
      resumeWhenShown = false;
      if (!state.playing) state.pressKey(32, false);
    }
  });

  function shownSize() {
    const box = canvas.getBoundingClientRect();
    return [box.width || canvas.width, box.height || canvas.height];
  }

  // What the canvas shows, in words: what a student who cannot see it follows the lab by.
  function sayFrame(frame) {
    const figure = (value, digits) => Number(value).toPrecision(digits);
    let words = (state.playing ? say.playing : say.paused) +
                say.time(frame.seconds.toFixed(2), frame.masses);
    words += frame.largest === 0 ? say.atRest
                                 : say.largest(frame.largestMass, figure(frame.largest, 3));
    if (frame.mode > 0) words += say.mode(frame.mode, (100 * frame.share).toFixed(0));
    if (frame.panelShown) {
      const drift = isNaN(frame.drift) ? "-" : figure(100 * frame.drift, 2) + " %";
      words += say.panel(figure(frame.energy, 4), drift);
    }
    description.textContent = words;
  }

  Object.assign(state, {
    write(value) {
      output.appendChild(document.createTextNode(value));
      sinceAnswer += value;
      const named = value.split("\n").filter(line => /\[(kg|N\/m|m)\]/.test(line)).pop();
      if (named !== undefined) heading = named;
      scrollToEnd();
    },
    nextLine() {
      if (lines.length > 0) {
        const line = lines.shift();
        echo(line);
        return Promise.resolve(give(line));
      }
      wait("line");
      return new Promise(function(resolve) { lineWaiter = resolve; });
    },
    nextKey() {
      const answer = keyFromLines();
      if (answer !== null) return Promise.resolve(give(answer));
      wait("key");
      return new Promise(function(resolve) { keyWaiter = resolve; });
    },
    takeText() { return text; },
    // GLUT's key handlers, on the canvas alone: Tab moves the focus, and the browser's own
    // shortcuts (with Ctrl, Alt or the command key) stay the browser's.
    takeKeys(glut) {
      const listeners = {keydown: glut.onKeydown, keyup: glut.onKeyup, touchstart: glut.touchHandler,
                         touchmove: glut.touchHandler, touchend: glut.touchHandler,
                         mousemove: glut.onMousemove, mousedown: glut.onMouseButtonDown,
                         mouseup: glut.onMouseButtonUp, mousewheel: glut.onMouseWheel,
                         DOMMouseScroll: glut.onMouseWheel};
      Object.keys(listeners).forEach(type => window.removeEventListener(type, listeners[type], true));
      if (state.pressKey) {  // the window again, after a key's dialogue: the keys are the canvas's
        (returnFocus || canvas).focus();
        return;
      }
      const down = glut.onKeydown, up = glut.onKeyup;
      const mine = event => event.key !== "Tab" && !event.ctrlKey && !event.altKey && !event.metaKey;
      canvas.addEventListener("keydown", quietly(e => { if (mine(e)) down(e); }), true);
      canvas.addEventListener("keyup", quietly(e => { if (mine(e)) up(e); }), true);
      state.pressKey = quietly(function(keyCode, shiftKey) {
        const event = {keyCode: keyCode, shiftKey: shiftKey, ctrlKey: false, altKey: false,
                       metaKey: false, preventDefault: function() {}};
        down(event);
        up(event);
      });
      updateButtons();
      canvas.focus();
    },
    passKey(key) {
      if (key === 110) {  // 'n': a dialogue from the start, which a link reproduces
        dialogue = [];
        recording = true;
      }
      if (passedWaiter) {
        const resolve = passedWaiter;
        passedWaiter = null;
        resolve(key);
      } else {
        passed.push(key);
      }
    },
    nextPassedKey() {
      recording = false;
      updateButtons();
      (returnFocus || canvas).focus();
      returnFocus = null;
      if (passed.length > 0) return Promise.resolve(passed.shift());
      return new Promise(function(resolve) { passedWaiter = resolve; });
    },
    // The picture as shown, RGBA from the top row.
    picture(width, height) {
      const both = document.createElement("canvas");
      both.width = width;
      both.height = height;
      const context = both.getContext("2d");
      context.drawImage(captionCanvas, 0, 0, width, height);
      return context.getImageData(0, 0, width, height).data;
    },
    // The files one key saves are handed to the browser together, once the key is done: one
    // file as itself, several as one archive, and the pane names what the browser was handed.
    download(name, bytes, type) {
      if (state.pending === undefined) {
        state.pending = [];
        setTimeout(handOver, 0);
      }
      state.pending.push({name: name, bytes: bytes, type: type});
      state.downloads.push(name);
    },
    frameDrawn(milliseconds) {
      state.framesDrawn += 1;
      state.smallestText = frameSmallest;
      state.drawingMilliseconds += milliseconds;
    },
    // What the canvas shows, in words, at most once a second while playing, at once otherwise.
    describe(frame) {
      state.simulatedTime = frame.seconds;
      lastFrame = frame;
      const now = performance.now();
      if (state.playing && now - lastDescribed < 1000) return;
      lastDescribed = now;
      sayFrame(frame);
    },
    // Play stopping is said at once.
    showPlaying(playing) {
      const paused = state.playing && !playing;
      state.playing = playing;
      if (paused && lastFrame) sayFrame(lastFrame);
    },
    shownSize: shownSize,
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
    // The end: the last picture stays, dimmed (GLUT's own end shrinks the canvas to a pixel), and
    // the tab takes the page's own title back.
    ending() {
      const kept = document.createElement("canvas");
      kept.id = "last-picture";
      kept.width = canvas.width;
      kept.height = canvas.height;
      kept.getContext("2d").drawImage(captionCanvas, 0, 0, kept.width, kept.height);
      kept.setAttribute("role", "img");
      kept.setAttribute("aria-label", say.canvas);
      canvas.after(kept);
      captionCanvas.hidden = true;
      document.getElementById("ended-cover").hidden = false;
      document.title = say.title;
    },
    exit(status) {
      state.exited = true;
      state.exitStatus = status;
      state.waitingForInput = false;
      updateButtons();
      input.disabled = true;
      document.getElementById("ended").hidden = false;
      document.getElementById("again").focus();
    },
    // What kept the program from starting, said in the console pane with what to do.
    fail(why) {
      if (state.failure !== null || state.exited) return;
      state.failure = String(why);
      if (why === "WebAssembly") {
        note(say.noWasm);
        return;
      }
      note(say.noLoad.replace("{0}", why));
      note(location.protocol === "file:" ? say.noLoadFile : say.noLoadOther);
    },
  });

  // Setting a canvas's font makes the browser parse it: only when the size changes.
  function useFont(size) {
    if (font !== size) {
      captions.font = fonts[size] || (fonts[size] = size + FONT_FAMILY);
      font = size;
    }
  }

  function handOver() {
    const files = state.pending;
    state.pending = undefined;
    const one = files.length === 1;
    const name = one ? files[0].name : files[0].name.replace(/\.[^.]*$/, "") + ".zip";
    const blob = one ? new Blob([files[0].bytes], {type: files[0].type}) : zipFiles(files);
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
    state.handedOver.push(name);
    note(say.saved + name + (one ? "" : say.holding(files.map(file => file.name))));
  }

  updateButtons();
  if (typeof WebAssembly !== "object") state.fail("WebAssembly");
  window.addEventListener("error", function(event) {
    if (event.target && event.target.tagName === "SCRIPT") state.fail(event.target.src);
  }, true);

  if (address.has("input")) feedAll(address.get("input"));
  return state;
})();

var Module = {
  canvas: document.getElementById("canvas"),
  arguments: springChain.language === "en" ? ["--lang=en"] : [],
  print: function(text) { console.log(text); },
  printErr: function(text) { console.warn(text); },
  onAbort: function(what) { springChain.fail(what); },
  // The WebAssembly beside the page is asked for once more, lightly: a browser that fetches
  // nothing from a page opened as a file (or a server that lacks the file) says so only in its
  // developer console, and the student would see a page that never asks anything.
  locateFile: function(path, prefix) {
    const url = prefix + path;
    if (/\.wasm$/.test(path)) {
      fetch(url, {method: "HEAD"}).then(
          reply => { if (!reply.ok) springChain.fail(path + ": " + reply.status); },
          why => springChain.fail(path + ": " + why.message));
    }
    return url;
  },
  onExit: function(status) { springChain.exit(status); },
};

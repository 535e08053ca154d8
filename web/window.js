// The window: GLUT's keys on the canvas, the buttons that press them, what the frame shows said
// in words, the saved files handed to the browser, and the end. drawing.js draws the frame.
(function(state) {
  const say = page.say, canvas = page.canvas;
  const captionCanvas = document.getElementById("captions");
  const description = document.getElementById("canvas-description");
  const passed = [];       // keys of the window that ask in the console, for main to take up
  let passedWaiter = null;
  const pending = [];      // the files one key saves, handed over together once it is done
  let resumeWhenShown = false;
  let lastDescribed = 0;
  let lastFrame = null;    // what the last frame showed, in figures

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
  page.buttons.forEach(function(button) {
    button.addEventListener("click", function() {
      const key = button.dataset.key;
      if (button.getAttribute("aria-disabled") === "true") return;
      page.returnFocus = button;
      if (key === "Escape") state.pressKey(27, false);
      else if (key === " ") state.pressKey(32, false);
      else state.pressKey(key.toUpperCase().charCodeAt(0), key !== key.toLowerCase());
    });
  });

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
        (page.returnFocus || canvas).focus();
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
      page.updateButtons();
      canvas.focus();
    },
    passKey(key) {
      if (key === 110) {  // 'n': a dialogue from the start, which a link reproduces
        page.dialogue = [];
        page.recording = true;
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
      page.recording = false;
      page.updateButtons();
      (page.returnFocus || canvas).focus();
      page.returnFocus = null;
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
      if (pending.length === 0) setTimeout(handOver, 0);
      pending.push({name: name, bytes: bytes, type: type});
      state.downloads.push(name);
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
      page.updateButtons();
      document.getElementById("console-input").disabled = true;
      document.getElementById("ended").hidden = false;
      document.getElementById("again").focus();
    },
  });

  function handOver() {
    const files = pending.splice(0);
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
    page.note(say.saved + name + (one ? "" : say.holding(files.map(file => file.name))));
  }

})(springChain);

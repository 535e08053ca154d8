// The page's side of the program, in parts: this one (the page's address and language, its texts,
// the state a page or a test may observe, what the parts share), console.js (the console pane and
// its input line), drawing.js (the frame on the canvas), window.js (the window's keys, its buttons,
// its description, the saved files, the end) and links.js (links, dialogue files, the other
// language, the program's module).

// What a page or a test may observe of the program, and what the program asks of the page.
var springChain = {
  framesDrawn: 0, playing: false, waitingForInput: false, waitingFor: null,
  exited: false, exitStatus: null, failure: null, language: null,
  simulatedTime: 0,        // s, of the frame last drawn
  smallestText: null,      // CSS pixels, the smallest text that frame drew
  firstPromptAt: null,     // ms from the page's start to the program's first question
  drawingMilliseconds: 0,  // spent in the frames' drawing, all frames together
  downloads: [],           // names of the files the program has saved
  handedOver: [],          // names of the downloads handed to the browser
  noWebGL: false,
};

// What the page's parts share, and nobody else needs.
const page = (function(state) {
  // The page's address: ?lang=en and ?input=... (or the same after #, which never reaches a
  // server; there they win). answers=lines marks a link the page made: its lines are the answers
  // as typed, one a question, a blank line at the yes/no question being Enter.
  const address = new URLSearchParams(location.search);
  new URLSearchParams(location.hash.slice(1)).forEach((value, key) => address.set(key, value));
  const language = /^en/i.test(address.get("lang") || "") ? "en" : "ja";
  const say = PAGE_TEXTS[language];
  const output = document.getElementById("console-output");
  const canvas = document.getElementById("canvas");
  const buttons = [...document.querySelectorAll("#keys button")];
  let scrollPending = false;
  state.language = language;

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
  document.getElementById("input-label").textContent = say.answer;

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

  // A line of the page's own in the pane.
  function note(message) {
    const line = document.createElement("span");
    line.className = "page";
    line.textContent = message + "\n";
    output.appendChild(line);
    scrollToEnd();
  }

  // The buttons act only while the window takes keys: meanwhile they say so, out of the Tab order.
  function updateButtons() {
    const active = Boolean(state.pressKey) && !state.exited && !state.waitingForInput;
    buttons.forEach(function(button) {
      button.setAttribute("aria-disabled", String(!active));
      button.tabIndex = active ? 0 : -1;
    });
  }

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

  // What kept the program from starting, said in the console pane with what to do.
  state.fail = function(why) {
    if (state.failure !== null || state.exited) return;
    state.failure = String(why);
    if (why === "WebAssembly") {
      note(say.noWasm);
      return;
    }
    note(say.noLoad.replace("{0}", why));
    note(location.protocol === "file:" ? say.noLoadFile : say.noLoadOther);
  };
  if (typeof WebAssembly !== "object") state.fail("WebAssembly");
  window.addEventListener("error", function(event) {
    if (event.target && event.target.tagName === "SCRIPT") state.fail(event.target.src);
  }, true);

  return {
    address: address, language: language, say: say, output: output, canvas: canvas,
    buttons: buttons, note: note, scrollToEnd: scrollToEnd, updateButtons: updateButtons,
    exactAnswers: address.get("answers") === "lines",
    lines: [],          // lines given before the program asked for them
    dialogue: [],       // the lines of the dialogue being typed, for a link to it
    recording: true,    // whether what is typed goes into the dialogue
    returnFocus: null,  // the button whose key asked in the console
  };
})(springChain);

// The console pane and its input line: the program's text, what the student types, pastes or
// gives from the address or a file, line by line or, at the yes/no question, key by key.
(function(state) {
  const say = page.say, output = page.output;
  const input = document.getElementById("console-input");
  const inputLabel = document.getElementById("input-label");
  const encoder = new TextEncoder();
  let lineWaiter = null;   // the program waits for a line ...
  let keyWaiter = null;    // ... or for one key
  let text = new Uint8Array(0);
  let sinceAnswer = "";    // what the program wrote since the last answer: the question
  let heading = "";        // the last line that named a quantity's unit

  // A line shown after the prompt that takes it, as the student typed it: text of the pane, which
  // a copy of the console takes with the program's.
  function echo(line) {
    const typed = document.createElement("span");
    typed.className = "typed";
    typed.textContent = line + "\n";
    output.appendChild(typed);
    page.scrollToEnd();
    sinceAnswer = "";
    if (page.recording) page.dialogue.push(line);
  }

  function give(value) {
    text = encoder.encode(value);
    state.waitingForInput = false;
    state.waitingFor = null;
    page.updateButtons();
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
    page.updateButtons();
    inputLabel.textContent = say.answer + ": " + asked();
    input.focus({preventScroll: true});
    input.scrollIntoView({block: "nearest"});
  }

  // As a dialogue read from a file answers: the next character that is no blank, the rest of
  // its line dropped. A link the page made answers with its next line as typed.
  function keyFromLines() {
    while (page.lines.length > 0) {
      const line = page.lines.shift();
      const answer = page.exactAnswers ? (line === "" ? "\n" : [...line][0]) : [...line.trim()][0];
      if (answer !== undefined) {
        echo(answer === "\n" ? "" : answer);
        return answer;
      }
    }
    return null;
  }

  // Lines typed, pasted, or read from the address or a file, each as if typed with Enter.
  function feed(newLines) {
    for (const line of newLines) page.lines.push(line);
    if (lineWaiter && page.lines.length > 0) {
      const resolve = lineWaiter;
      lineWaiter = null;
      const line = page.lines.shift();
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
    if (given.cut) page.note(say.tooLong(given.lines.length, DIALOGUE_BYTES / 1024));
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

  Object.assign(state, {
    write(value) {
      output.appendChild(document.createTextNode(value));
      sinceAnswer += value;
      const named = value.split("\n").filter(line => /\[(kg|N\/m|m)\]/.test(line)).pop();
      if (named !== undefined) heading = named;
      page.scrollToEnd();
    },
    nextLine() {
      if (page.lines.length > 0) {
        const line = page.lines.shift();
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
  });
  page.feedAll = feedAll;
})(springChain);

// Links and files: the address of this lab, a dialogue file opened or dropped, the other
// language, a second link in the same tab; then the dialogue the address gives, and the program's
// module, which the program's script takes up.
(function(state) {
  const say = page.say, language = page.language;

  // The address of this page with the dialogue typed so far, in the language `lang`.
  function linkTo(lang) {
    const params = new URLSearchParams();
    if (lang === "en") params.set("lang", "en");
    else if (/lang=/.test(location.search)) params.set("lang", "ja");
    const typed = page.dialogue.concat(page.lines);
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
    page.note(say.linkMade + link);
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
      page.note(say.tooBig(file.name, DIALOGUE_BYTES / 1024));
      return;
    }
    file.arrayBuffer().then(function(bytes) {
      const value = decodeDialogue(bytes);
      if (value === null) {
        page.note(say.notText + file.name);
        return;
      }
      const params = new URLSearchParams();
      if (language === "en") params.set("lang", "en");
      params.set("input", value);
      goTo(location.href.split("#")[0] + "#" + params.toString());
    }, why => page.note(say.notRead + file.name + " (" + why.message + ")"));
  }
  function openIfText(file) {
    if (file.type && !file.type.startsWith("text/")) page.note(say.notText + file.name);
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

  page.updateButtons();
  if (page.address.has("input")) page.feedAll(page.address.get("input"));
})(springChain);

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

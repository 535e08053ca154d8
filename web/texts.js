// The page's own texts, in both languages; the program's texts come from the program.
const PAGE_TEXTS = {
  ja: {
    title: "spring-chain ばねとマスの鎖の振動", otherLanguage: "English", openFile: "対話のファイルを開く",
    link: "この演習へのリンク", linkLabel: "この演習を開くアドレス", ended: "プログラムは終了しました",
    endedLong: "プログラムは終了しました。", again: "もう一度始める", keys: "ウィンドウのキー",
    console: "コンソール", answer: "入力", space: "スペース",
    play: "再生・一時停止", step: "1 フレーム進める", moreTime: "時間軸を縮める",
    lessTime: "時間軸を伸ばす", smaller: "振幅を小さく", larger: "振幅を大きく",
    fit: "振幅を動きに合わせる", curves: "曲線の数を変える", newChain: "自由度から入力し直す",
    newMasses: "マスとばね定数を入力し直す", newStart: "初期条件を入力し直す",
    modes: "モードの図", spectrum: "スペクトル",
    energy: "エネルギーの表示", save: "画像とデータを保存", quit: "終了",
    canvas: "ばねとマスの鎖と、各マスの変位の時間変化のグラフ",
    massAsked: k => "マス m" + k + " [kg]", springAsked: k => "ばね定数 K" + k + " [N/m]",
    startAsked: k => "マス " + k + " の初期変位 y0 [m] と初速度 v0 [m/s]",
    playing: "再生中。", paused: "一時停止中。",
    time: (t, n) => "時刻 " + t + " 秒。" + n + " 個のマスの鎖と、各マスの変位のグラフ。",
    atRest: "どのマスも静止しています。",
    largest: (k, y) => "いちばん大きく動いているのはマス " + k + "（変位 " + y + " m）。",
    mode: (r, p) => "エネルギーの " + p + "% を第 " + r + " モードが持っています。",
    panel: (e, d) => "全エネルギー " + e + " J、初めからのずれ " + d + "。",
    saved: "ダウンロードしました：", holding: (names) => "（" + names.join("，") + "）",
    noLoad: "プログラムを読み込めませんでした（{0}）。",
    noLoadFile: "ファイルとして開いたページはプログラムのファイルを読み込めません。同じフォルダーの " +
        "spring-chain.html を開いてください（index.html はウェブサーバーに置いたときに使います）。",
    noLoadOther: "ページを読み込み直してください。直らないときは、新しいブラウザーで開いてください。",
    noWasm: "このブラウザーは WebAssembly を使えません。新しいブラウザーで開いてください。",
    noWebGL: "このブラウザーではウィンドウを描けません（WebGL がオフか、ありません）。表示された数値は" +
        "正しいものです。ブラウザーの設定でハードウェアアクセラレーション（WebGL）をオンにするか、" +
        "別のブラウザー（Firefox、Chromium など）で開いてください。",
    linkMade: "この演習のリンク（コピーしました）：", notText: "テキストファイルではありません：",
    notRead: "ファイルを読めませんでした：",
    tooBig: (name, limit) => "ファイルが大きすぎます（対話は " + limit + " KB まで）：" + name,
    tooLong: (lines, limit) => "入力が長すぎます。最初の " + lines + " 行（" + limit +
        " KB まで）だけを使い、残りは捨てました。",
  },
  en: {
    title: "spring-chain: vibration of a chain of masses and springs", otherLanguage: "日本語",
    openFile: "Open a dialogue file", link: "Link to this lab",
    linkLabel: "The address that opens this lab", ended: "The program has ended",
    endedLong: "The program has ended.", again: "Start again", keys: "The window's keys",
    console: "Console", answer: "Answer", space: "Space",
    play: "Play / pause", step: "One frame further, and pause",
    moreTime: "More time on the chart", lessTime: "Less time on the chart",
    smaller: "Smaller amplitudes", larger: "Larger amplitudes",
    fit: "Fit the amplitudes to the motion", curves: "New number of displacement curves",
    newChain: "New chain, from the number of masses on",
    newMasses: "New masses and spring constants", newStart: "New initial conditions",
    modes: "Show / hide the mode shapes", spectrum: "Show / hide the spectrum of the motion",
    energy: "Show / hide the energy", save: "Save the picture and the displacement data",
    quit: "Quit",
    canvas: "The chain of masses and springs, and a chart of each mass's displacement over time",
    massAsked: k => "m" + k + " [kg]", springAsked: k => "K" + k + " [N/m]",
    startAsked: k => "mass " + k + ": y0 [m] v0 [m/s]",
    playing: "Playing. ", paused: "Paused. ",
    time: (t, n) => "Time " + t + " s. A chain of " + n + " masses, and a chart of each mass's " +
        "displacement. ",
    atRest: "Every mass is at rest. ",
    largest: (k, y) => "Furthest from rest: mass " + k + ", at " + y + " m. ",
    mode: (r, p) => "Mode " + r + " holds " + p + "% of the energy. ",
    panel: (e, d) => "Total energy " + e + " J, drift since the start " + d + ".",
    saved: "Downloaded: ", holding: (names) => " (holding " + names.join(", ") + ")",
    noLoad: "The program could not be loaded ({0}).",
    noLoadFile: "A page opened as a file cannot load the program's files: open spring-chain.html " +
        "from the same folder (index.html is for a web server).",
    noLoadOther: "Reload the page; if that does not help, open it in a recent browser.",
    noWasm: "This browser cannot run WebAssembly: please open the page in a recent browser.",
    noWebGL: "This browser cannot draw the window: WebGL is off or missing. The figures printed " +
        "are right. Turn on hardware acceleration (WebGL) in the browser's settings, or open the " +
        "page in another browser (Firefox, Chromium, ...).",
    linkMade: "The link to this lab (copied): ", notText: "Not a text file: ",
    notRead: "The file could not be read: ",
    tooBig: (name, limit) => "The file is too large (a dialogue is at most " + limit + " KB): " +
        name,
    tooLong: (lines, limit) => "The input is too long: only its first " + lines + " lines (at " +
        "most " + limit + " KB) were taken, the rest dropped.",
  },
};

// The console's texts in Japanese, the system's own: the dialogue's texts are kept byte for byte
// as they have always been (written in the console's encoding, code page 932 or UTF-8).
#include "texts/texts.h"
#include "texts/usage_texts.h"

const char* japaneseText(Text key) {
    switch (key) {
    case Text::SectionTitles:
        return "\n(1) 自由度設定"
               "\n(2) 系の定数設定"
               "\n(3) 描画する振動曲線の数設定"
               "\n(4) 初期条件設定";
    case Text::Equations:
        return "\nnDOF不減衰自由振動の描画"
               "\nばね1ーマス1－ばね2ーマス2ー.....－マスn－ばね(n+1)  の構成\n"
               "\nm1*ddy1/ddt + K1*y1      + K2*(y1-y2) = 0"
               "\nm2*ddy2/ddt + K2*(y2-y1) + K3*(y2-y3) = 0"
               "\n ・・・・・・・・・・・・・・・・・・"
               "\nm[i]*ddy[i]/ddt + K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) = 0"
               "\n ・・・・・・・・・・・・・・・・・・"
               "\nm[n]*ddy[n]/ddt + K[n]*(y[n]-y[n-1]) + K[n+1]*y[n] = 0\n"
               "\n(1) 自由度数・マス・ばね定数・初期変位をキー入力\n";
    case Text::DegreesOfFreedomPrompt:
        return "\n自由度 nfree(≦%d) キー入力 =";
    case Text::MassesPrompt:
        return "\nマス　m1 m2 ... mn [kg]　 キー入力 \n";
    case Text::MassPrompt:
    case Text::SpringPrompt:
        return "No.%2d  ";
    case Text::SpringsPrompt:
        return "\nばね定数 K1 K2 ... Kn+1 [N/m]　キー入力 \n";
    case Text::CurveCountPrompt:
        return "\n何本の振動曲線を描画する？  n=";
    case Text::FrequenciesHeading:
        return "\nn個の固有振動数\nω0[rad/s]= \n(";
    case Text::ModesHeading:
        return "\n振動モード";
    case Text::ModeHeading:
        return "\n第%dモード ";
    case Text::InitialConditionsHeading:
        return "\n\n初期条件キー入力";
    case Text::UseModeQuestion:
        return "\n固有モードを利用？　キー入力　yes:y  no;n  ";
    case Text::ModePrompt:
        return "\n何番目のモード？　k(1,2,.,,,%d) = ";
    case Text::ChosenMode:
        return "\n第%dモード　ω0=%7.4f[rad/s]";
    case Text::TypedStartPrompt:
        return "\nキー入力 (y01 v01) (y02 v02) .... [m] [m/s] = \n";
    case Text::InitialValuesPrompt:
        return "No.%2d  y0%d v0%d= ";
    case Text::ModeStartReference:
    case Text::TypedStartReference:
        return "\n正規振動モードの場合は，最大振幅＝１とする\n";
    case Text::KeyHelp:
        return "\n\n's'キーで：振動描画継続"
               "\n'n'キーで：自由度数変更"
               "\n'm'キーで：マスばね定数変更"
               "\n'j'キーで：初期条件変更"
               "\n'c'キーで：描画振動曲線の本数変更"
               "\n'T' 't'キーで：時間軸拡大縮小"
               "\n'Y' 'y'キーで：振幅拡大縮小"
               "\nESCキーで：終了\n"
               "スペースキーで：再生・一時停止\n"
               "'e'キーで：エネルギーとモードの割合の表示・非表示\n"
               "'p'キーで：画像と応答データをファイルに保存\n"
               "'f'キーで：振幅を動きに合わせる\n"
               "'v'キーで：モードの図の表示・非表示\n"
               "'w'キーで：動きのスペクトルの表示・非表示\n";
    case Text::WindowPaused:
        return "ウィンドウは一時停止しています。"
               "ウィンドウをクリックして、スペースキーで再生します\n";
    case Text::NotAnInteger:
        return "\n整数を入力してください";
    case Text::NotANumber:
        return "\n数値を入力してください";
    case Text::IntegerRange:
        return "\n%d から %d までの整数を入力してください";
    case Text::RealRange:
        return "\n%sは %.10g 以上 %.10g 以下 [%s] の数値を入力してください";
    case Text::MassQuantity:
        return "マス";
    case Text::SpringQuantity:
        return "ばね定数";
    case Text::InitialValueRange:
        return "\n初期変位と初速度は絶対値 %.10g 以下の数値を入力してください";
    case Text::EnergyHeading:
        return "\n\nエネルギー　E0=%.6g[J]\n各モードのエネルギーの割合\n";
    case Text::ModeShare:
        return "第%dモード　ω0=%.4f[rad/s]　%8.4f[%%]\n";
    case Text::Saved:
        return "\n画像と応答データを保存しました：%s，%s\n";
    case Text::SavedWithSpectrum:
        return "\n画像と応答データとスペクトルを保存しました：%s，%s，%s\n";
    case Text::NotSaved:
        return "\n%s に保存できませんでした：%s\n";
    case Text::NoPermission:
        return "書き込みの権限がありません";
    case Text::NoSuchFolder:
        return "フォルダがありません";
    case Text::DiskFull:
        return "ディスクがいっぱいです";
    case Text::NamesTaken:
        return "\n保存できませんでした：この秒の名前 %s … %s はすべて使われています\n";
    case Text::EndOfInput:
        return "\n入力が終わったため終了します\n";
    case Text::NoDisplay:
        return "ウィンドウを開く画面（ディスプレイ）に接続できないため終了します\n";
    case Text::NoDisplayNamed:
        return "ウィンドウを開く画面（ディスプレイ %s）に接続できないため終了します\n";
    case Text::DisplayLost:
        return "画面（ディスプレイ）との接続が切れたため終了します\n";
    case Text::UnreadableGeometry:
        return "-geometry の指定「%s」は読めないため、ウィンドウは 800×800 で開きます\n";
    case Text::NoConsoleToAsk:
        return "'%c' "
               "キーの質問に答えるコンソール（端末）がないため、ウィンドウはそのまま続けます\n";
    case Text::QuestionLeft:
        return "\n入力が終わったため、この質問はやめて、ウィンドウはそのまま続けます\n";
    case Text::UnknownOption:
        return "spring-chain: 「%s」というオプションはありません。使い方は spring-chain --help "
               "で表示します\n";
    case Text::UnexpectedArgument:
        return "spring-chain: 引数「%s」は受け付けません。対話のファイルは spring-chain < %s "
               "のように標準入力から渡します\n";
    case Text::OptionNeedsValue:
        return "spring-chain: オプション「%s」には値が必要です。使い方は spring-chain --help "
               "で表示します\n";
    case Text::UnknownLanguage:
        return "spring-chain: 言語「%s」はありません。en（英語）か ja（日本語）を指定します\n";
    case Text::UnknownLanguageInEnvironment:
        return "spring-chain: SPRING_CHAIN_LANG=%s は en でも ja "
               "でもないため、日本語で表示します\n";
    case Text::Usage:
        return JapaneseUsage;
    case Text::WindowTitle:
        return "n-DOF自由振動　キー=n:自由度, =m:マスばね, =j:初期条件 =c:描画曲線数　変更";
    case Text::ColourCaption:
        return "Each curve color corresponds to mass color";
    case Text::GridCaption:
        return "1grid=(0.8s, %g*max amplitude)";
    case Text::GridCaptionInMetres:
        return "";
    }
    return "";
}

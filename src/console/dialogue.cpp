#include <cmath>
#include <cstdio>

#include "console/console.h"
#include "console/console_io.h"
#include "modal/modal.h"
#include "model/simulation_state.h"

using namespace SimulationState;

namespace {

// What the dialogue accepts. Masses and spring constants are bounded so that every chain it takes
// has finite results and a stiffest mode that the window can still follow in real time.
constexpr double LightestMass = 0.001;      // kg
constexpr double HeaviestMass = 1e6;        // kg
constexpr double SoftestSpring = 0.0;       // N/m
constexpr double StiffestSpring = 1e6;      // N/m
constexpr double LargestInitialValue = 1e6; // m for displacements, m/s for velocities

// Values per line in the result listings.
constexpr int ValuesPerLine = 8;

const char* const NotAnInteger = "\n整数を入力してください";
const char* const NotANumber = "\n数値を入力してください";

// The messages name the bounds as a student types them: 0.001, 1000000.
const char* const Bounds = "%.10g 以上 %.10g 以下";

void printSectionTitles() {
    consoleWrite("\n(1) 自由度設定");
    consoleWrite("\n(2) 系の定数設定");
    consoleWrite("\n(3) 描画する振動曲線の数設定");
    consoleWrite("\n(4) 初期条件設定");
}

void printEquations() {
    consoleWrite("\nnDOF不減衰自由振動の描画");
    consoleWrite("\nばね1ーマス1－ばね2ーマス2ー.....－マスn－ばね(n+1)  の構成\n");
    consoleWrite("\nm1*ddy1/ddt + K1*y1      + K2*(y1-y2) = 0");
    consoleWrite("\nm2*ddy2/ddt + K2*(y2-y1) + K3*(y2-y3) = 0");
    consoleWrite("\n ・・・・・・・・・・・・・・・・・・");
    consoleWrite("\nm[i]*ddy[i]/ddt + K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) = 0");
    consoleWrite("\n ・・・・・・・・・・・・・・・・・・");
    consoleWrite("\nm[n]*ddy[n]/ddt + K[n]*(y[n]-y[n-1]) + K[n+1]*y[n] = 0\n");
    consoleWrite("\n(1) 自由度数・マス・ばね定数・初期変位をキー入力\n");
}

void askForDegreesOfFreedom() {
    consolePrintf("\n自由度 nfree(≦%d) キー入力 =", MaxDegreesOfFreedom);
}

// A count below 1 or above the capacity brings the whole block back, as the capacity always has.
void askDegreesOfFreedom() {
    for (;;) {
        printEquations();
        askForDegreesOfFreedom();
        int count = 0;
        while (readIntegerToken(&count) == TokenRead::Unparsed) {
            discardRestOfLine();
            consoleWrite(NotAnInteger);
            askForDegreesOfFreedom();
        }
        if (count >= 1 && count <= MaxDegreesOfFreedom) {
            nfree = count;
            return;
        }
        discardRestOfLine();
    }
}

// An integer in [lowest, highest] behind the prompt, asked again with a message until one comes.
// Every refusal drops the rest of its line, whose other values were typed for it.
int askIntegerBetween(const char* prompt, int lowest, int highest) {
    for (;;) {
        consoleWrite(prompt);
        int value = 0;
        if (readIntegerToken(&value) == TokenRead::Unparsed) {
            discardRestOfLine();
            consoleWrite(NotAnInteger);
        } else if (value < lowest || value > highest) {
            discardRestOfLine();
            consolePrintf("\n%d から %d までの整数を入力してください", lowest, highest);
        } else {
            return value;
        }
    }
}

// One real value in [lowest, highest] behind the prompt "No.%2d  "; `quantity` names it in the
// message that refuses a value out of range.
double askReal(int number, double lowest, double highest, const char* quantity, const char* unit) {
    for (;;) {
        consolePrintf("No.%2d  ", number);
        double value = 0.0;
        if (readRealToken(&value) == TokenRead::Unparsed) {
            consoleWrite(NotANumber);
        } else if (!(value >= lowest && value <= highest)) {
            consolePrintf("\n%sは ", quantity);
            consolePrintf(Bounds, lowest, highest);
            consolePrintf(" [%s] の数値を入力してください", unit);
        } else {
            return value;
        }
        discardRestOfLine();
        consoleWrite("\n");
    }
}

void askMasses() {
    consoleWrite("\nマス　m1 m2 ... mn [kg]　 キー入力 \n");
    for (int i = 0; i < nfree; ++i) {
        m[i] = askReal(i + 1, LightestMass, HeaviestMass, "マス", "kg");
    }
}

// A wall spring of 0 leaves that end free; an inner one of 0 cuts the chain into parts that
// vibrate independently. The modal analysis handles both.
void askSprings() {
    consoleWrite("\nばね定数 K1 K2 ... Kn+1 [N/m]　キー入力 \n");
    for (int i = 0; i <= nfree; ++i) {
        K[i] = askReal(i + 1, SoftestSpring, StiffestSpring, "ばね定数", "N/m");
    }
}

void printList(const double* values, const char* format) {
    for (int i = 0; i < nfree; ++i) {
        consolePrintf(format, values[i]);
        if ((i + 1) % ValuesPerLine == 0) {
            consoleWrite("\n  ");
        }
    }
}

void listResults() {
    consoleWrite("\nn個の固有振動数\nω0[rad/s]= \n(");
    printList(omega0, " %7.4f");
    consoleWrite(")\n");
    consoleWrite("\n振動モード");
    for (int k = 0; k < nfree; ++k) {
        consolePrintf("\n第%dモード ", k + 1);
        consoleWrite("\n (");
        printList(ModeShape[k], " %7.3f");
        consoleWrite(")");
    }
}

void startFromMode() {
    char prompt[128];
    std::snprintf(prompt, sizeof prompt, "\n何番目のモード？　k(1,2,.,,,%d) = ", nfree);
    const int mode = askIntegerBetween(prompt, 1, nfree) - 1;
    // A natural vibration starts from rest in its shape; velocities left from an earlier typed
    // start would mix other modes in.
    for (int i = 0; i < nfree; ++i) {
        SimulationState::y0[i] = ModeShape[mode][i];
        v0[i] = 0.0;
    }
    MaxAmplitude = ModeMaxAmplitude[mode];
    consolePrintf("\n第%dモード　ω0=%7.4f[rad/s]", mode + 1, omega0[mode]);
    consoleWrite("\n (");
    printList(ModeShape[mode], " %7.3f");
    consoleWrite(")");
}

bool isInitialValue(double value) {
    return std::fabs(value) <= LargestInitialValue;
}

void startFromTypedValues() {
    consoleWrite("\nキー入力 (y01 v01) (y02 v02) .... [m] [m/s] = \n");
    for (int i = 0; i < nfree; ++i) {
        for (;;) {
            consolePrintf("No.%2d  y0%d v0%d= ", i + 1, i + 1, i + 1);
            double y = 0.0;
            double v = 0.0;
            if (readRealToken(&y) == TokenRead::Unparsed ||
                readRealToken(&v) == TokenRead::Unparsed) {
                consoleWrite(NotANumber);
            } else if (!isInitialValue(y) || !isInitialValue(v)) {
                consolePrintf("\n初期変位と初速度は絶対値 %.10g 以下の数値を入力してください",
                              LargestInitialValue);
            } else {
                SimulationState::y0[i] = y;
                v0[i] = v;
                break;
            }
            discardRestOfLine();
            consoleWrite("\n");
        }
    }
    MaxAmplitude = 1.0;
}

void askInitialConditions() {
    consoleWrite("\n\n初期条件キー入力");
    if (askForKey("\n固有モードを利用？　キー入力　yes:y  no;n  ") == 'y') {
        startFromMode();
    } else {
        startFromTypedValues();
    }
}

void printKeyHelp() {
    consoleWrite("\n正規振動モードの場合は，最大振幅＝１とする\n");
    consoleWrite("\n\n's'キーで：振動描画継続");
    consoleWrite("\n'n'キーで：自由度数変更");
    consoleWrite("\n'm'キーで：マスばね定数変更");
    consoleWrite("\n'j'キーで：初期条件変更");
    consoleWrite("\n'c'キーで：描画振動曲線の本数変更");
    consoleWrite("\n'T' 't'キーで：時間軸拡大縮小");
    consoleWrite("\n'Y' 'y'キーで：振幅拡大縮小");
    consoleWrite("\nESCキーで：終了\n");
    consoleWrite("スペースキーで：再生・一時停止\n");
    consoleWrite("'e'キーで：エネルギーとモードの割合の表示・非表示\n");
    consoleWrite("'p'キーで：画像と応答データをファイルに保存\n");
}

} // namespace

void readCurveCount() {
    ncurve = askIntegerBetween("\n何本の振動曲線を描画する？  n=", 0, nfree);
}

void runDialogue() {
    printSectionTitles();
    const bool keepModel = LastKey == 'j';
    if (!keepModel) {
        if (LastKey != 'm') {
            askDegreesOfFreedom();
        }
        askMasses();
        askSprings();
        SearchNaturalFrequencies();
        ComputeModeShapes();
        readCurveCount();
    }
    listResults();
    askInitialConditions();
    printKeyHelp();
}

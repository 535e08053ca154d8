// The console's texts in English, as an English-speaking teacher of vibrations would write them,
// in the vocabulary of English textbooks; ASCII only, so that they read right in any code page and
// any locale. The results' numbers are the Japanese texts' numbers, in the same order and format,
// so that a script reading the tables reads both languages alike.
#include "texts/texts.h"
#include "texts/usage_texts.h"

const char* englishText(Text key) {
    switch (key) {
    case Text::SectionTitles:
        return "\n(1) Number of masses"
               "\n(2) Masses and spring constants"
               "\n(3) Number of displacement curves to draw"
               "\n(4) Initial conditions";
    case Text::Equations:
        return "\nUndamped free vibration of a chain of n masses"
               "\nwall -K1- m1 -K2- m2 - ... - mn -K(n+1)- wall\n"
               "\nm1*d2y1/dt2 + K1*y1      + K2*(y1-y2) = 0"
               "\nm2*d2y2/dt2 + K2*(y2-y1) + K3*(y2-y3) = 0"
               "\n .................."
               "\nm[i]*d2y[i]/dt2 + K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) = 0"
               "\n .................."
               "\nm[n]*d2y[n]/dt2 + K[n]*(y[n]-y[n-1]) + K[n+1]*y[n] = 0\n"
               "\n(1) Type the number of masses, the masses, the spring constants and the initial "
               "conditions\n";
    case Text::DegreesOfFreedomPrompt:
        return "\nNumber of masses n (1 to %d) = ";
    case Text::MassesPrompt:
        return "\nMasses m1 ... mn [kg]\n";
    case Text::MassPrompt:
        return "m%d [kg] = ";
    case Text::SpringsPrompt:
        return "\nSpring constants K1 ... K(n+1) [N/m]\n";
    case Text::SpringPrompt:
        return "K%d [N/m] = ";
    case Text::CurveCountPrompt:
        return "\nHow many displacement curves (0 to %d)? ";
    case Text::FrequenciesHeading:
        return "\nNatural angular frequencies omega of the n modes (in hertz, f = omega / 2pi)"
               "\nomega [rad/s] = \n(";
    case Text::ModesHeading:
        return "\nMode shapes, each scaled so that mass 1 has amplitude 1 (or, where mass 1 is "
               "at rest, the first mass that moves)";
    case Text::ModeHeading:
        return "\nMode %d ";
    case Text::InitialConditionsHeading:
        return "\n\nInitial conditions";
    case Text::UseModeQuestion:
        return "\nStart from a natural mode? Press y for yes, any other key for no (no Enter "
               "needed) ";
    case Text::ModePrompt:
        return "\nWhich mode (1 to %d)? ";
    case Text::ChosenMode:
        return "\nMode %d  omega = %7.4f [rad/s]";
    case Text::TypedStartPrompt:
        return "\nInitial displacement y0 [m] and initial velocity v0 [m/s] of each mass\n";
    case Text::InitialValuesPrompt:
        return "mass %d: y0 [m] v0 [m/s] = ";
    case Text::ModeStartReference:
        return "\nThe chart's reference amplitude is the largest amplitude in the mode's shape\n";
    case Text::TypedStartReference:
        return "\nThe chart's reference amplitude is 1 m (the start was typed, not a natural "
               "mode)\n";
    case Text::KeyHelp:
        return "\n\nSpace: play / pause in real time"
               "\n's': one frame further, and pause"
               "\n'n': a new chain, from the number of masses on"
               "\n'm': new masses and spring constants"
               "\n'j': new initial conditions"
               "\n'c': a new number of displacement curves"
               "\n't' / 'T': more / less time on the chart"
               "\n'y' / 'Y': smaller / larger amplitudes"
               "\nEsc: quit\n"
               "'e': show / hide the energy and each mode's share of it\n"
               "'p': save the picture and the displacement data, for a report\n"
               "'f': fit the amplitudes to the largest displacement the motion can reach\n"
               "'v': show / hide the mode shapes as a figure\n"
               "'w': show / hide the spectrum of the motion\n";
    case Text::WindowPaused:
        return "The window shows the motion paused: click the window, then press Space to play\n";
    case Text::NotAnInteger:
        return "\nPlease type a whole number";
    case Text::NotANumber:
        return "\nPlease type a number";
    case Text::IntegerRange:
        return "\nPlease type a whole number from %d to %d";
    case Text::RealRange:
        return "\nThe %s must be from %.10g to %.10g [%s]";
    case Text::MassQuantity:
        return "mass";
    case Text::SpringQuantity:
        return "spring constant";
    case Text::InitialValueRange:
        return "\nInitial displacements and velocities must be no larger than %.10g in size";
    case Text::EnergyHeading:
        return "\n\nEnergy E0 = %.6g [J]\nEach mode's share of the energy\n";
    case Text::ModeShare:
        return "Mode %d  omega = %.4f [rad/s]  %8.4f [%%]\n";
    case Text::Saved:
        return "\nSaved the picture and the displacement data: %s, %s\n";
    case Text::SavedWithSpectrum:
        return "\nSaved the picture, the displacement data and the spectrum: %s, %s, %s\n";
    case Text::NotSaved:
        return "\nCould not save in %s: %s\n";
    case Text::NoPermission:
        return "permission denied";
    case Text::NoSuchFolder:
        return "the folder does not exist";
    case Text::DiskFull:
        return "the disk is full";
    case Text::NamesTaken:
        return "\nNot saved: every name of this second, %s to %s, is taken\n";
    case Text::EndOfInput:
        return "\nThe input ended before the dialogue did: the program ends\n";
    case Text::NoDisplay:
        return "Cannot open the window: there is no X display (DISPLAY is not set, or no X "
               "server answers at it). The program ends\n";
    case Text::NoDisplayNamed:
        return "Cannot open the window on the X display %s. The program ends\n";
    case Text::DisplayLost:
        return "The connection to the X display was lost. The program ends\n";
    case Text::UnreadableGeometry:
        return "Cannot read -geometry \"%s\": the window opens at 800x800\n";
    case Text::NoConsoleToAsk:
        return "There is no terminal to answer the '%c' key's question at: the window goes on "
               "as it was\n";
    case Text::QuestionLeft:
        return "\nThe input ended before the answer: the question is dropped, and the window goes "
               "on as it was\n";
    case Text::UnknownOption:
        return "spring-chain: unknown option '%s' (spring-chain --help lists the options)\n";
    case Text::UnexpectedArgument:
        return "spring-chain: unexpected argument '%s'; to read a dialogue from a file, redirect "
               "standard input: spring-chain < %s\n";
    case Text::OptionNeedsValue:
        return "spring-chain: the option '%s' needs a value (spring-chain --help lists the "
               "options)\n";
    case Text::UnknownLanguage:
        return "spring-chain: unknown language '%s': use en (English) or ja (Japanese)\n";
    case Text::UnknownLanguageInEnvironment:
        return "spring-chain: SPRING_CHAIN_LANG=%s names neither English (en) nor Japanese (ja): "
               "using Japanese\n";
    case Text::Usage:
        return EnglishUsage;
    case Text::WindowTitle:
        return "Chain of masses and springs - keys n: new chain, m: new masses and spring "
               "constants, j: new initial conditions, c: number of curves";
    case Text::ColourCaption:
        return "Each curve has the colour of its mass";
    case Text::GridCaption:
        return "1 grid cell = 0.8 s x %g x reference amplitude";
    case Text::GridCaptionInMetres:
        return " (%.3g m)";
    }
    return "";
}

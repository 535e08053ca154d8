// The console's texts in English, ASCII only so that they read right in any code page and any
// locale. Every number the Japanese texts show is shown here too, in the same order and format,
// so that a script reading the numbers reads both languages alike.
#include "texts/texts.h"
#include "texts/usage_texts.h"

const char* englishText(Text key) {
    switch (key) {
    case Text::SectionTitles:
        return "\n(1) Degrees of freedom"
               "\n(2) Constants of the system"
               "\n(3) Number of response curves to draw"
               "\n(4) Initial conditions";
    case Text::Equations:
        return "\nUndamped free vibration of an n-DOF chain"
               "\nspring 1 - mass 1 - spring 2 - mass 2 - ..... - mass n - spring (n+1)\n"
               "\nm1*ddy1/ddt + K1*y1      + K2*(y1-y2) = 0"
               "\nm2*ddy2/ddt + K2*(y2-y1) + K3*(y2-y3) = 0"
               "\n .................."
               "\nm[i]*ddy[i]/ddt + K[i]*(y[i]-y[i-1]) + K[i+1]*(y[i]-y[i+1]) = 0"
               "\n .................."
               "\nm[n]*ddy[n]/ddt + K[n]*(y[n]-y[n-1]) + K[n+1]*y[n] = 0\n"
               "\n(1) Type the number of degrees of freedom, the masses, the spring constants "
               "and the initial conditions\n";
    case Text::DegreesOfFreedomPrompt:
        return "\nNumber of degrees of freedom nfree (<= %d) =";
    case Text::MassesPrompt:
        return "\nMasses m1 m2 ... mn [kg]\n";
    case Text::SpringsPrompt:
        return "\nSpring constants K1 K2 ... Kn+1 [N/m]\n";
    case Text::CurveCountPrompt:
        return "\nHow many response curves shall be drawn?  n=";
    case Text::FrequenciesHeading:
        return "\nThe n natural frequencies\nomega0 [rad/s] = \n(";
    case Text::ModesHeading:
        return "\nNatural modes";
    case Text::ModeHeading:
        return "\nNatural mode %d ";
    case Text::InitialConditionsHeading:
        return "\n\nInitial conditions";
    case Text::UseModeQuestion:
        return "\nStart from a natural mode?  yes: y  no: n  ";
    case Text::ModePrompt:
        return "\nWhich mode?  k (1, 2, ..., %d) = ";
    case Text::ChosenMode:
        return "\nNatural mode %d  omega0=%7.4f [rad/s]";
    case Text::TypedStartPrompt:
        return "\nInitial displacement and velocity of each mass (y01 v01) (y02 v02) .... "
               "[m] [m/s] = \n";
    case Text::KeyHelp:
        return "\nA natural mode is drawn with its largest amplitude as 1\n"
               "\n\n's': one more frame of the vibration"
               "\n'n': change the number of degrees of freedom"
               "\n'm': change the masses and spring constants"
               "\n'j': change the initial conditions"
               "\n'c': change the number of curves drawn"
               "\n'T' 't': stretch / shrink the time axis"
               "\n'Y' 'y': enlarge / reduce the amplitudes"
               "\nEsc: quit\n"
               "Space: play / pause\n"
               "'e': show / hide the energy and each mode's share\n"
               "'p': save the picture and the response data to files\n"
               "'f': fit the amplitudes to the motion\n"
               "'v': show / hide the modes as a figure\n"
               "'w': show / hide the spectrum of the motion\n";
    case Text::NotAnInteger:
        return "\nPlease type an integer";
    case Text::NotANumber:
        return "\nPlease type a number";
    case Text::IntegerRange:
        return "\nPlease type an integer from %d to %d";
    case Text::RealRange:
        return "\nThe %s must be a number from %.10g to %.10g [%s]";
    case Text::MassQuantity:
        return "mass";
    case Text::SpringQuantity:
        return "spring constant";
    case Text::InitialValueRange:
        return "\nInitial displacements and velocities must be numbers of magnitude %.10g or less";
    case Text::EnergyHeading:
        return "\n\nEnergy E0 = %.6g [J]\nShare of the energy in each mode\n";
    case Text::ModeShare:
        return "Mode %d  omega0 = %.4f [rad/s]  %8.4f [%%]\n";
    case Text::Saved:
        return "\nSaved the picture and the response data: %s, %s\n";
    case Text::SavedWithSpectrum:
        return "\nSaved the picture, the response data and the spectrum: %s, %s, %s\n";
    case Text::NotSaved:
        return "\nCould not save in %s: %s\n";
    case Text::NoPermission:
        return "permission denied";
    case Text::NoSuchFolder:
        return "the folder does not exist";
    case Text::DiskFull:
        return "the disk is full";
    case Text::NamesTaken:
        return "\nNot saved: every name of this second, %s ... %s, is taken\n";
    case Text::EndOfInput:
        return "\nThe input has ended: the program ends\n";
    case Text::NoDisplay:
        return "No display (screen) to open the window on: the program ends\n";
    case Text::NoDisplayNamed:
        return "Cannot open the window on the display %s: the program ends\n";
    case Text::DisplayLost:
        return "The connection to the display was lost: the program ends\n";
    case Text::UnreadableGeometry:
        return "-geometry \"%s\" cannot be read: the window opens at 800x800\n";
    case Text::NoConsoleToAsk:
        return "No console (terminal) to answer the question of the '%c' key in: the window goes "
               "on as it was\n";
    case Text::QuestionLeft:
        return "\nThe input has ended: the question is left, and the window goes on as it was\n";
    case Text::UnknownOption:
        return "spring-chain: unknown option '%s'; spring-chain --help shows the usage\n";
    case Text::UnexpectedArgument:
        return "spring-chain: no argument '%s' is taken; a dialogue file goes to standard input, "
               "as in spring-chain < %s\n";
    case Text::OptionNeedsValue:
        return "spring-chain: the option '%s' needs a value; spring-chain --help shows the usage\n";
    case Text::UnknownLanguage:
        return "spring-chain: no language '%s': name en (English) or ja (Japanese)\n";
    case Text::UnknownLanguageInEnvironment:
        return "spring-chain: SPRING_CHAIN_LANG=%s is neither en nor ja: the texts are in "
               "Japanese\n";
    case Text::Usage:
        return EnglishUsage;
    case Text::WindowTitle:
        return "n-DOF free vibration  keys n: degrees of freedom, m: masses and springs, "
               "j: initial conditions, c: curves drawn";
    }
    return "";
}

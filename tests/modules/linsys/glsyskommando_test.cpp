// The headless answer: the lines of the solution form, the sentence and the solution, and the
// German reasons for input that cannot be solved.
#include "glsyskommando.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Loese(const std::string& text) {
    std::string out, error;
    EXPECT_TRUE(GlSysLoeseText(text, out, error)) << error;
    EXPECT_EQ(error, "");
    return out;
}

std::string Fehler(const std::string& text) {
    std::string out, error;
    EXPECT_FALSE(GlSysLoeseText(text, out, error)) << out;
    EXPECT_EQ(out, "");
    return error;
}

TEST(GlSysKommando, AnswersWithTheSolutionFormTheSentenceAndTheSolution) {
    EXPECT_EQ(Loese("2,1,-1,8;-3,-1,2,-11;-2,1,2,-3"), "Lösungssystem:\n"
                                                       "1*x1+ 0*x2+ 0*x3= 2\n"
                                                       "0*x1+ 1*x2+ 0*x3= 3\n"
                                                       "0*x1+ 0*x2+ 1*x3= -1\n"
                                                       "Das System hat genau eine Lösung.\n"
                                                       "x1 = 2\nx2 = 3\nx3 = -1\n");
    // Expressions, blanks, one ";" at the end; ten significant digits for the solution and
    // eight for the numbers of the form.
    EXPECT_EQ(Loese(" 3 , 0 , 1 ; 0 , sqrt(4) , 2/3 ;"), "Lösungssystem:\n"
                                                         "1*x1+ 0*x2= 0.33333333\n"
                                                         "0*x1+ 1*x2= 0.33333333\n"
                                                         "Das System hat genau eine Lösung.\n"
                                                         "x1 = 0.3333333333\nx2 = 0.3333333333\n");
    // A solution far below the numbers that the form shows exactly.
    EXPECT_EQ(Loese("1e300,0,1;0,1,0").substr(0, 15), "Lösungssystem:\n");
    EXPECT_NE(Loese("1e300,0,1;0,1,0").find("x1 = 1e-300\nx2 = 0\n"), std::string::npos);
}

TEST(GlSysKommando, SingularSystemsAreShownAsTheEliminationLeavesThem) {
    EXPECT_EQ(Loese("1,2,3;2,4,6"), "Lösungssystem:\n"
                                    "1*x1+ 2*x2= 3\n"
                                    "0*x1+ 0*x2= 0\n"
                                    "Das System hat unendlich viele Lösungen.\n");
    EXPECT_EQ(Loese("1,2,3;2,4,7"), "Lösungssystem:\n"
                                    "1*x1+ 2*x2= 3\n"
                                    "0*x1+ 0*x2= 1\n"
                                    "Das System hat keine Lösung.\n");
    // x2 alone: the elimination never looks beyond the diagonal of a zero column.
    EXPECT_EQ(Loese("0,1,1;0,2,3"), "Lösungssystem:\n"
                                    "0*x1+ 0*x2= -0.5\n"
                                    "0*x1+ 1*x2= 1.5\n"
                                    "Das System hat keine Lösung.\n");
}

TEST(GlSysKommando, BadInputGetsItsReason) {
    const std::string range = "Unbekanntenanzahl:\r Der Wert muß in [2..7] liegen.";
    EXPECT_EQ(Fehler(""), range);
    EXPECT_EQ(Fehler("1,2"), range);
    EXPECT_EQ(Fehler("1,0,0,0,0,0,0,0,1;0,1,0,0,0,0,0,0,1;0,0,1,0,0,0,0,0,1;0,0,0,1,0,0,0,0,1;"
                     "0,0,0,0,1,0,0,0,1;0,0,0,0,0,1,0,0,1;0,0,0,0,0,0,1,0,1;0,0,0,0,0,0,0,1,1"),
              range);
    EXPECT_EQ(Fehler("1,2,3;4,5"),
              "Gleichung 2:\r Sie hat 2 statt 3 Zahlen (2 Koeffizienten und die rechte Seite).");
    EXPECT_EQ(Fehler("1,2,3,4;4,5,6"),
              "Gleichung 1:\r Sie hat 4 statt 3 Zahlen (2 Koeffizienten und die rechte Seite).");
    EXPECT_EQ(Fehler("1,,3;4,5,6"), "Feld (1,2):\r Das Feld ist leer.");
    EXPECT_EQ(Fehler("1,2,3;4,5,x"),
              "Feld (2,3):\r Unbekannte Konstante oder Variable 'x' in der Funktion.");
    EXPECT_EQ(Fehler("1,2,3;4,5," + std::string(251, '1')),
              "Feld (2,3):\r Die Eingabe darf nicht mehr als 250 Zeichen lang sein.");
    const std::string tooLarge = "Berechnung:\r Die Zahlen des Gleichungssystems sind zu groß. "
                                 "Das Lösungssystem kann nicht berechnet werden.";
    EXPECT_EQ(Fehler("1e-4000,1e4000,1;0,1,1"), tooLarge);
    EXPECT_EQ(Fehler("1e-300,1e4000,1;1e4000,1,1"), tooLarge);
}

} // namespace

// The expression parser: compiles a function text once into a list of elementary operations
// and evaluates it at 80-bit precision. Also the suite's number text conversion, rounding,
// guarded arithmetic, number bases and angular units.
//
// Every text is single-byte Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#define VDPARSER_EXPORT __attribute__((visibility("default")))

class vdParser;

namespace vdp {
class BracketText;

// One step of the evaluation program built from the compiled operations: what it does (a
// StepCode), its operands and result as value numbers (negative: negated; the operands of the
// four operations are positive, their signs are part of the code), and what the code needs
// besides. The steps of a power set keep the highest exponent of the set in b and the set's
// place in the power table in table.
struct Step {
    int code;
    int a, b;
    int result;
    int exponent; // integer powers
    int op;       // the operation in OpList, for its messages
    int chained;  // the operand is the result of the step before (1) or of the one before it (2)
    int store;    // a later step reads the result from its value number
    long double (*function)(long double); // functions, with angles in radians
    int table;
    int set; // a power set's first power: where its members begin in PowerSetMembers
};

// A power of a 64-bit significand in integer arithmetic: (hi:lo) * 2^exponent, the top 128 bits
// of the exact power (truncated: at most a few units of 2^-120 of it below it), normalised (the
// top bit of hi set) or, within a power set, up to 8 bits short of it.
struct SignificandNumber {
    unsigned long long hi, lo;
    int exponent;
};

// The functions machine code calls: for a step it does not compute itself, the step's value from
// its operands as they stand (a, and b for the general power), not yet negated; for the first
// power of a power set, every power of the set into its value number.
using MachineStepFunction = long double (*)(vdParser* parser, int step, const long double* a,
                                            const long double* b);
using MachinePowersFunction = void (*)(vdParser* parser, int step);
struct MachineCalls {
    MachineStepFunction step;
    MachinePowersFunction powers;
};

// The status machine code leaves: this bit where it met a value it does not go on with (one
// that is not finite, or a power too small to tell from an underflow without the loop's test).
constexpr unsigned kMachineRangeLeft = 0x10000;

// The evaluation program as machine code, where the system has it (x86-64).
class MachineCode {
public:
    // values: the value list; variables: the variables' values (1 ... in the value list).
    using Entry = long double (*)(long double* values, const long double* variables,
                                  unsigned* status, vdParser* parser);
    MachineCode() = default;
    ~MachineCode();
    MachineCode(const MachineCode&) = delete;
    MachineCode& operator=(const MachineCode&) = delete;
    // Translates the program (its constants in values, variables 1 ... variables); false, and no
    // code, for a program it does not translate.
    bool Build(const std::vector<Step>& program, const std::vector<long double>& values,
               int variables, int angularUnit, MachineCalls calls);
    void Clear();
    Entry Get() const { return entry; }
    // The angular unit the code was built for.
    int Unit() const { return unit; }

private:
    void* memory = nullptr;
    size_t size = 0;
    Entry entry = nullptr;
    int unit = 0;
};
} // namespace vdp

// A window handle of the platform layer (opaque here).
struct HWND__;
typedef HWND__* HWND;

// ---------------------------------------------------------------------------------------------
// Number text conversion, rounding and guarded arithmetic

// Record handed to the math-error policy, as the run-time library fills it.
struct _exceptionl {
    int type;         // one of the kinds below
    const char* name; // "sqrtl", "logl", ...
    long double arg1;
    long double arg2;
    long double retval;
};
enum : int {
    VD_DOMAIN = 1,    // argument outside the domain
    VD_SING = 2,      // singularity
    VD_OVERFLOW = 3,  // overflow
    VD_UNDERFLOW = 4, // underflow
    VD_TLOSS = 5,     // total loss of precision
    VD_PLOSS = 6      // partial loss of precision
};

// The overflow bound and failure marker: positive infinity.
extern VDPARSER_EXPORT long double CORRldERR;

VDPARSER_EXPORT char* ldtochar(char* out, const long double x, int digits, bool minimal);
VDPARSER_EXPORT char* dtochar(char* out, const double x, int digits, bool minimal);
VDPARSER_EXPORT long double chartold(const char* SubFuncIn, char** rest, bool = false);
VDPARSER_EXPORT double chartod(const char* SubFuncIn, char** rest, bool = false);
VDPARSER_EXPORT bool isvalidld(const char* SubFuncIn);
VDPARSER_EXPORT long double corrroundl(long double x, int n);
VDPARSER_EXPORT long double corrroundl(long double x);
VDPARSER_EXPORT double corrround(double x, int n);
VDPARSER_EXPORT long double corrpolyl(long double x, int degree, long double* coeff);
VDPARSER_EXPORT bool add_ok(long double a, long double b, long double* result);
VDPARSER_EXPORT bool sub_ok(long double a, long double b, long double* result);
VDPARSER_EXPORT bool mult_ok(long double a, long double b, long double* result);
VDPARSER_EXPORT bool div_ok(long double a, long double b, long double* result);
VDPARSER_EXPORT void fast_add(char* AddString, long double* result, bool removeBrackets,
                              bool simplifySigns);
VDPARSER_EXPORT char* turnintochar(char* out, const char* SubFuncIn, const char* searchIn,
                                   const char* turnIn, bool wholeWord);
VDPARSER_EXPORT char* turnbetweenintochar(char* out, const char* SubFuncIn, const char* searchIn,
                                          const char* turnIn);
VDPARSER_EXPORT char* GetLastValue(char* out, const char* SearchString, int endPos, int* startOut,
                                   bool excludeOperator);
VDPARSER_EXPORT int Corr_matherrl(_exceptionl* e);
VDPARSER_EXPORT unsigned int SetFPError(bool restore);
VDPARSER_EXPORT long double GetCORRldERR();
// Counts the occurrences of c.
int GetCount(const char* CountString, char c);

// The long double math functions as the parser and the modules call them: a failure of a kind
// the math-error policy handles (see Corr_matherrl) yields CORRldERR instead of a NaN, an
// infinity or a zero.
VDPARSER_EXPORT long double corr_sqrtl(long double x);
VDPARSER_EXPORT long double corr_logl(long double x);
VDPARSER_EXPORT long double corr_log10l(long double x);
VDPARSER_EXPORT long double corr_expl(long double x);
VDPARSER_EXPORT long double corr_powl(long double x, long double y);
VDPARSER_EXPORT long double corr_sinl(long double x);
VDPARSER_EXPORT long double corr_cosl(long double x);
VDPARSER_EXPORT long double corr_tanl(long double x);
VDPARSER_EXPORT long double corr_asinl(long double x);
VDPARSER_EXPORT long double corr_acosl(long double x);

// ---------------------------------------------------------------------------------------------
// Number bases and angular units

VDPARSER_EXPORT bool ConvertToBase(char* out, const long double x, int digits, int base);
VDPARSER_EXPORT long double ConvertBaseTold(const char* SubFuncIn, int base, char** rest);
VDPARSER_EXPORT long double ConvertToAngularUnit(const long double x, int unit, bool toRadians);

// ---------------------------------------------------------------------------------------------
// The parser

class VDPARSER_EXPORT vdOpStructDef {
public:
    vdOpStructDef();
    ~vdOpStructDef();
    char* GetFunction(char* out) const;
    int GetValue1() const { return Value1; }
    int GetValue2() const { return Value2; }
    int GetResult() const { return Result; }
    void SetFunction(const char* FunctionIn);
    void SetValue1(int v) { Value1 = v; }
    void SetValue2(int v) { Value2 = v; }
    void SetResult(int v) { Result = v; }
    bool operator==(const vdOpStructDef& other) const { return this == &other; }

    char Function[30];
    int Value1;
    int Value2;
    int Result;
    // The built-in function resolved at compile time (not part of the record's fields).
    int Code;
};

struct VDPARSER_EXPORT VarStructDef {
    int count;
    char* description;
    long double VarCont[1000];
};

class VDPARSER_EXPORT vdParser {
public:
    vdParser(const char* FunctionIn, int Base, bool UseMakeAFunction, bool RunSetup,
             bool NeedErrorParsText, bool NeedErrorSolveText);
    vdParser(const char* FunctionIn, int VarCount, const char* VarDescIn, bool UseMakeAFunction,
             bool RunSetup, bool NeedErrorParsText, bool NeedErrorSolveText);
    // Virtual: function objects derive from the parser and may be deleted through it.
    virtual ~vdParser();
    vdParser(const vdParser&) = delete;
    vdParser& operator=(const vdParser&) = delete;

    // Virtual slots, in this order.
    virtual void SetupParser();
    virtual void SetInfoWinText(char* InfoText);
    virtual bool ShouldIQuit();

    void Init(const char* FunctionIn, int VarCount, const char* VarDescIn, bool UseMakeAFunction,
              bool RunSetup, bool NeedErrorParsText, bool NeedErrorSolveText);
    bool SetNewFunction(const char* FunctionIn, bool = true);
    bool GetIsOriginFunc(const char* FunctionIn);

    // Compiler steps.
    void SolveAll();
    void EliminateOperations(unsigned int open, unsigned int close);
    void SolveBrackets(unsigned int opPos, unsigned int open, unsigned int close);
    void SolveFunction(std::string* name, unsigned int open, unsigned int close,
                       unsigned int nameStart);
    void SearchBrackets(unsigned int* open, unsigned int* close);
    void MakeBrackets();
    void TurnInto(const char* searchIn, const char* turnIn);
    int SearchVariable(const char* VariableIn);
    long double GetResultValue();
    void SolveOperation(vdOpStructDef* op, char* opText);
    void SolveFunction(vdOpStructDef* op, char* opText);
    bool GetOpStructPos(int pos, char* FunctionOut, int* Value1Out, int* Value2Out, int* ResultOut);
    int GetInvValuesStart();
    bool GetInvValuesPos(int pos, long double* out);
    long double pr_chartold(const char* SubFuncIn, char** rest, bool = false);
    bool AnotherConst(const char* ConstStrIn, long double* out);

    // Checks and error state.
    bool GetIsError();
    int GetGlobalError();
    // Whether evaluation runs as machine code now (for tests and measurements).
    bool HasMachineCode() const { return Machine.Get() != nullptr; }
    void GetErrorTypeText(char* out);
    void SetIsError(bool);
    int SetGlobalError(int code);
    char* SetErrorTypeText(char* oldOut, const char* newText);
    bool SetNeedErrorTexts(bool pars, bool solve);
    bool GetNeedErrorParsText();
    bool GetNeedErrorSolveText();
    void GetUnknownFunction(char* out);
    void GetUnknownCharacters(char* out);
    bool IsCommentError();
    bool IsOperationError();
    bool IsFunctionError();
    bool IsBracketError();
    bool IsValue();
    bool GotCharError(char* out);

    // Normalisation.
    void MakeAFunction();
    void SetStyle();
    void SolvePercent();

    // Built-in functions.
    bool IsFunction(std::string* name);
    bool SearchFunction(std::string* name);

    // Variables, results, derivatives, progress.
    bool SetVarCont(const char* AVarDescIn, long double value);
    bool GetVarStruct(VarStructDef* out);
    void GetOriginFunc(char* out);
    int GetOriginFuncLen();
    int GetOriginVarCount();
    void GetOriginVarDesc(char* out);
    void GetOriginVarName(char* out, int index);
    long double GetResult();
    long double GetResult(long double x);
    long double GetResultExt(long double* values);
    long double GetPDerivation(int order, bool snapToZero);
    long double GetPDerivation(int order, long double x, bool snapToZero);
    long double GetPDerivationExt(int order, long double* values, int varIndex, bool snapToZero,
                                  long double step);
    long double GetPDerivationExt2(long double* values, int varA, int varB, bool, long double step);
    long double GetPDerivation1(int k, long double h);
    long double GetPDerivation2(int k, long double h);
    long double GetPDerivation3(int k, long double h);
    void doDifferentiation1(char* out, const char* var);
    void doIntegrate1(char* out, const char* var);
    void PercentOut(unsigned int n);

    // Number bases and angular units.
    bool SetAngularUnitTo(int unit);
    int GetAngularUnit();
    bool SetBaseTo(int base, bool noRebuild);
    int GetBase();

    // The text after normalisation (what the symbolic library is given).
    const std::string& GetStyledFunction() const { return StyledFunction; }

protected:
    bool IsError;
    bool SingleLetterVars;
    int GlobalError;
    char ErrorTypeText[200];
    char UnknownFunction[50 + 4];
    char UnknownCharacters[255];
    long double OverflowBound;
    bool NeedErrorParsText;
    bool NeedErrorSolveText;
    bool UseMakeAFunction;
    VarStructDef* VarStruct;
    long double PlainValue;
    int OpCount;
    int ValueCount;
    int AngularUnit;
    int Base;
    std::string WorkFunction;
    std::string OriginFunc;
    std::string StyledFunction;
    std::string VarDescText;
    int VarCount;
    std::vector<long double> ValueList;
    std::vector<vdOpStructDef> OpList;
    // What evaluation runs: the operations that are not done once when compiling.
    std::vector<vdp::Step> Program;
    // The significands' powers of the power sets, filled at every evaluation; entry 0 of a set
    // says whether its base has a significand (hi), its sign (lo) and its significant bits
    // (exponent).
    std::vector<vdp::SignificandNumber> PowerTable;
    // The powers of every set in program order, a set's together (count: the set's size, in
    // its first); flipped: the power's operand has the other sign than the first's; the sign
    // bits of the power for a positive and a negative first operand; scale: what the products
    // add to the significand's exponent (see SmallSignificandPowers).
    struct PowerSetMember {
        int step, exponent, result, count, flipped;
        std::uint16_t signPositive, signNegative;
        int scale;
    };
    std::vector<PowerSetMember> PowerSetMembers;
    int ValueStart;
    bool SetupDone;

private:
    // The results of the last evaluation that no later step read are not in ValueList; they are
    // written there (by evaluating once more, at the angular unit of then) when asked for.
    bool ResultsPending = false;
    bool ProgramElides = false; // some step keeps its result in a register only
    // Machine code for programs evaluated again and again: built after a few evaluations (so
    // that a text compiled for one value costs nothing more), not at all where it does not
    // translate. MachineFailed: a step called from it failed or met a value out of range.
    vdp::MachineCode Machine;
    int MachineCountdown = 0;
    bool MachineFailed = false;
    static long double MachineStep(vdParser* parser, int step, const long double* a,
                                   const long double* b);
    static void MachinePowers(vdParser* parser, int step);
    __attribute__((noinline)) void MachinePowersAsTheLoop(const vdp::Step& first,
                                                          const long double* stored);
    const long double* MachineVariables = nullptr;
    long double Evaluate(const long double* variables = nullptr);
    __attribute__((noinline)) long double EvaluateFirst();
    long double RunMachine(const long double* variables);
    bool MachineReady() const;
    static bool FiniteBits(const long double* x);
    // The variables' contents of the last GetResultExt are in ValueList only; Contents() copies
    // them to VarCont first.
    bool ContentsInList = false;
    long double* Contents();
    bool TakeContents(const long double* values);
    int EvaluatedUnit = 0;
    void SetError(int code, const std::string& message, bool withText);
    void FreeOwned();
    int OperandValue(const std::string& operand);
    void UnknownOperand(const std::string& operand);
    void NumberOutOfRange(const std::string& operand);
    void BuildProgram();
    void BuildPowerSets();
    long double PowerOfSet(const vdp::Step& s, long double a, const long double* stored);
    bool RoundedPowerOfSet(const vdp::Step& s, long double* out) const;
    void FillPowerSet(const vdp::Step& s, long double a, const long double* stored);
    long double MachineValue(const vdp::Step& s, long double a, long double exponent,
                             const long double* stored);
    long double RunStep(const vdp::Step& step, long double a, long double b, bool* failed);
    template <bool StoreAll> long double RunProgram();
    void StoreResults();
    int ResultReference(const std::string& operand, size_t digit);
    int NextResult();
    vdOpStructDef& NewOperation();
    bool CompileBracket(vdp::BracketText& bracket, const std::string& out, size_t open,
                        std::string* content);
    void EliminateIn(vdp::BracketText& b);
    int SolveOperationAt(vdp::BracketText& b, int op);
    size_t NameInFront(const std::string& text, size_t open, std::string* name);
    int CompileCall(std::string name, const std::string& content);
    void SymbolicCall(char* out, const char* var, const char* op, const char* failMark,
                      const char* failMarkLower);
    long double EvaluateFunction(const vdOpStructDef& op, long double x);
    void FunctionError(const vdOpStructDef& op, long double x);
    void OperationError(const vdOpStructDef& op, long double a, long double b);
    void StoreContents(const long double* values);
    void NegativeExponents();
    void DigitsAfterBrackets();
    void BracketPowers();
    void ChainPowers();
    void SolveFactorials();
    void ImplicitVariableProducts();
};

// ---------------------------------------------------------------------------------------------
// Free result functions, version and trace exports

VDPARSER_EXPORT double GetResultExt(const char* FunctionIn, int VarCount, const char* VarDescIn,
                                    double* values, int* errorOut, char* errorTextOut);
VDPARSER_EXPORT double GetResult(const char* FunctionIn, int* errorOut, char* errorTextOut);
VDPARSER_EXPORT bool IsParserFunction(const char* FuncStrIn);
VDPARSER_EXPORT void GetVersionString(char* out);
VDPARSER_EXPORT float GetVersionNumber();
VDPARSER_EXPORT void GetVersionNumber(char* out);
VDPARSER_EXPORT char* GetVersionModule(char* out);
VDPARSER_EXPORT int vdDebugFuncion(int, HWND, bool, const char*, const char*, const char*,
                                   const char*);
VDPARSER_EXPORT int DebugFunkion(int, HWND, bool, const char*, const char*, const char*);
VDPARSER_EXPORT bool GetDebugvdDLL();
VDPARSER_EXPORT bool SetDebugvdDLL(bool on);

// Where the symbolic library is looked for (default: libsymbolic.so next to this library).
// Tests point it at a fake of their own.
VDPARSER_EXPORT void SetSymbolicLibraryPath(const char* path);

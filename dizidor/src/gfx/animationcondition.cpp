// AnimationLoader: the condition language of "if" and "elif".
//
// Prefix notation over the line's tokens: an operator takes its operands from the tokens that
// follow it, each operand an expression of its own; any other token is a literal value. Both
// operands are always evaluated, left to right. Parentheses are dropped before evaluation: they
// may be written for the reader but do not group.
#include "gfx/animationloader.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// Deeper nesting than this is refused, so that a hostile line cannot exhaust the stack.
const int MAX_EXPRESSION_DEPTH = 256;

RIR::String evaluateAt(RIR::List<RIR::String>& lToks, int nDepth);

bool conditionAt(RIR::List<RIR::String>& lToks, int nDepth)
{
    RIR_TRACE("conditionAt");
    lToks.iterBegin();
    while (lToks.iterValid())
    {
        const RIR::String& sTok = lToks.iterCurrent();
        if (sTok == "(" || sTok == ")")
            lToks.iterRemove();
        else
            lToks.iterNext();
    }
    RIR_TRACE_LINE();
    const RIR::String sValue = evaluateAt(lToks, nDepth);
    if (sValue == "true")
        return true;
    if (sValue == "false")
        return false;
    RIR_THROW(FatalErrorException, "Condition doesn't evaluate to bool");
}

const char* boolText(bool b)
{
    return b ? "true" : "false";
}

RIR::String evaluateAt(RIR::List<RIR::String>& lToks, int nDepth)
{
    RIR_TRACE("evaluateAt");
    if (nDepth > MAX_EXPRESSION_DEPTH)
        RIR_THROW(FatalErrorException, "Condition nested too deeply");
    RIR_ASSERT(lToks.getLength() >= (1));
    const RIR::String sOp = lToks.takeFirst();

    if (sOp == "not")
        return boolText(!conditionAt(lToks, nDepth + 1));

    const bool bBinary = sOp == "==" || sOp == "!=" || sOp == "and" || sOp == "or" || sOp == "<=" ||
                         sOp == "<" || sOp == ">=" || sOp == ">";
    if (!bBinary)
        return sOp;

    RIR_TRACE_LINE();
    const RIR::String sA = evaluateAt(lToks, nDepth + 1);
    RIR_TRACE_LINE();
    const RIR::String sB = evaluateAt(lToks, nDepth + 1);
    if (sOp == "==")
        return boolText(sA == sB);
    if (sOp == "!=")
        return boolText(sA != sB);
    if (sOp == "and")
        return boolText(sA == "true" && sB == "true");
    if (sOp == "or")
        return boolText(sA == "true" || sB == "true");

    const int nA = RIR::String::toInt(sA.c_str());
    const int nB = RIR::String::toInt(sB.c_str());
    if (sOp == "<=")
        return boolText(nA <= nB);
    if (sOp == "<")
        return boolText(nA < nB);
    if (sOp == ">=")
        return boolText(nA >= nB);
    return boolText(nA > nB);
}

} // namespace

bool AnimationLoader::evaluateCondition(RIR::List<RIR::String>& lToks)
{
    RIR_TRACE("AnimationLoader::evaluateCondition");
    return conditionAt(lToks, 0);
}

RIR::String AnimationLoader::evaluateExpression(RIR::List<RIR::String>& lToks)
{
    RIR_TRACE("AnimationLoader::evaluateExpression");
    return evaluateAt(lToks, 0);
}

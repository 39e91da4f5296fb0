#pragma once
// How many GL draw calls (glDrawArrays, glDrawElements) the test program has made so far.
namespace testsupport {

long glDrawCalls();

} // namespace testsupport

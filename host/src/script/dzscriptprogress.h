#pragma once

class QScriptEngine;

// The global progress functions of a script, as long scripts call them around their steps:
//   startProgress(info, totalSteps[, isCancellable[, showTimeElapsed]])
//   stepProgress([numSteps]), setProgressInfo(info), progressIsCancelled(), finishProgress()
// Progresses nest: each start is ended by one finish, and the other calls act on the latest
// one. Without a started progress, stepProgress and setProgressInfo do nothing and
// progressIsCancelled is false; finishing more than was started is an error. Progresses a
// script leaves unfinished end with the engine.
void dzPublishScriptProgress(QScriptEngine* engine);

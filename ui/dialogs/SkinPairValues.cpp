#include "ui/dialogs/SkinPairValues.h"

#include "res/resource.h"

SkinPairValues PromptPairValues() {
  return {IDD_PROMPT_DLG, IDP_PROMPT_FRAME, IDD_PROMPT_CHILD_DLG, IDP_PROMPT_CHILD, PROMPT_PAIR,
          false};
}

SkinPairValues ExecutePromptPairValues() {
  return {IDD_EXECUTE_PROMPT_DLG, IDP_EXECUTE_FRAME, IDD_EXECUTE_PROMPT_CHILD_DLG,
          IDP_EXECUTE_CHILD, EXECUTE_PROMPT_PAIR, true};
}

SkinPairValues FeedbackPairValues() {
  return {IDD_FEEDBACK_DLG, IDP_FEEDBACK_FRAME, IDD_FEEDBACK_CHILD_DLG, IDP_FEEDBACK_CHILD,
          FEEDBACK_PAIR, false};
}

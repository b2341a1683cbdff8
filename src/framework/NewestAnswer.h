// The newest of answers that threads give in any order: an older answer, or none, never takes the place of
// a newer one.
#pragma once

#include <optional>
#include <utility>

template <typename Answer>
class NewestAnswer {
public:
    // The answer to the question of this number (1, 2, ... as they were asked); false when it is not kept.
    bool Offer(unsigned number, std::optional<Answer> answer)
    {
        if (!answer || number <= newest_)
            return false;
        newest_ = number;
        answer_ = std::move(answer);
        return true;
    }
    // Until a newer one is offered.
    std::optional<Answer> Take() { return std::exchange(answer_, std::nullopt); }

private:
    unsigned newest_ = 0;
    std::optional<Answer> answer_;
};

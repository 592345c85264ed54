// replaced by the data readers

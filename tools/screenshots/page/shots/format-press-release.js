// Formats the press release and puts a dateline with today's date into it.
(function(){ corvelEditor.format(); corvelEditor.insertDateline('本报讯（{date}）'); return corvelEditor.html.length; })()
